#pragma once

#include "baseitem.h"
#include "iserializable.h"
#include "itemtypes.h"
#include "maskedtextitem.h"
#include "textbearing.h"

#include <QStringList>

// Free text typed on the label, one text per label (record).
class TextItem : public BaseItem, public ISerializable, public TextBearing
{
    Q_OBJECT
public:
    enum { Type = itemtype::Text };

    explicit TextItem(QSizeF size, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }

    void setSize(qreal w, qreal h) override;
    void setSize(const QSizeF &size) override;

    void setFont(const QFont &font) override;
    QFont font() const override;
    void setTextColor(const QColor &color);
    QColor textColor() const;
    void setAlignment(Qt::Alignment a) override;
    Qt::Alignment alignment() const override { return Qt::Alignment(align); }

    // The editor's current text (the shown record).
    QString plainText() const;
    void setPlainText(const QString &text);
    // One entry per record; the shown record's entry is refreshed from the
    // editor whenever the record changes, a record is inserted or the item is written.
    QStringList texts() const { return textList; }
    MaskedTextItem *editor() { return &textItem; }

    void setRecordIndex(int index) override;
    void insertRecord(int index) override;
    int recordIndex() const override { return record; }
    int recordCount() const override;

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    qint32 headerVersion() const override { return 3; }
    QUuid headerUuid() const override { return uuid(); }
    static QUuid uuid();
    void streamRead(QDataStream &in) override;
    void streamWrite(QDataStream &out) override;

signals:
    // The frame got and lost the keyboard: what was typed in between is
    // one edit.
    void typingBegan(TextItem *item);
    void typingEnded(TextItem *item);

private slots:
    void maskedTextItemGainedFocus(MaskedTextItem *item);

private:
    void showRecord();
    void editorContentsChanged();

    // Changes the program makes to the editor (showing a record, reading,
    // formatting) are not edits of the user; they run inside this count.
    struct ProgramChange
    {
        explicit ProgramChange(TextItem *t) : item(t) { ++item->programChanges; }
        ~ProgramChange() { --item->programChanges; }
        TextItem *item;
    };
    int programChanges = 0;

    MaskedTextItem textItem;
    int align = Qt::AlignLeft;
    int record = 0;
    QStringList textList;
};
