#include "textitem.h"

#include "safestream.h"
#include "streamheader.h"

#include <QGraphicsScene>
#include <QTextDocument>

TextItem::TextItem(QSizeF size, QGraphicsItem *parent) : BaseItem(size, parent), textItem(this)
{
    setObjectName(QStringLiteral("labelitem/text"));
    textItem.setTextWidth(size);
    setSize(size);
    setAcceptHoverEvents(true);
    textItem.setTextInteractionFlags(Qt::TextEditorInteraction);
    connect(&textItem, &MaskedTextItem::focusGained, this, &TextItem::maskedTextItemGainedFocus);
    connect(&textItem, &MaskedTextItem::focusLost, this, [this] { emit typingEnded(this); });
    connect(textItem.document(), &QTextDocument::contentsChanged, this,
            &TextItem::editorContentsChanged);
    textList.append(QString());
}

void TextItem::editorContentsChanged()
{
    if (programChanges == 0)
        emit contentEdited(this);
}

QUuid TextItem::uuid()
{
    static const QUuid u(QStringLiteral("{a4f1df52-3c4c-11e4-baad-164230d1df67}"));
    return u;
}

void TextItem::setSize(qreal w, qreal h)
{
    setSize(QSizeF(w, h));
}

void TextItem::setSize(const QSizeF &size)
{
    ProgramChange change(this);
    textItem.setTextWidth(size);
    BaseItem::setSize(size);
}

void TextItem::setFont(const QFont &font)
{
    ProgramChange change(this);
    textItem.setFont(font);
}

QFont TextItem::font() const
{
    return textItem.font();
}

void TextItem::setTextColor(const QColor &color)
{
    textItem.setDefaultTextColor(color);
}

QColor TextItem::textColor() const
{
    return textItem.defaultTextColor();
}

void TextItem::setAlignment(Qt::Alignment a)
{
    ProgramChange change(this);
    align = int(a);
    textItem.setBlockAlignment(a);
}

QString TextItem::plainText() const
{
    return textItem.toPlainText();
}

void TextItem::setPlainText(const QString &text)
{
    ProgramChange change(this);
    textItem.setPlainText(text);
    setAlignment(alignment());
}

void TextItem::maskedTextItemGainedFocus(MaskedTextItem *)
{
    emit typingBegan(this);
    if (scene())
        scene()->clearSelection();
    setSelected(true);
}

void TextItem::setRecordIndex(int index)
{
    if (index < 0 || index >= textList.size())
        return;
    if (record >= 0 && record < textList.size())
        textList[record] = textItem.toPlainText();
    record = index;
    showRecord();
}

void TextItem::insertRecord(int index)
{
    if (index < 0)
        return;
    // The shown record is refreshed first, so a label appended after the
    // last one copies the text the user sees there, typed or not.
    if (record >= 0 && record < textList.size())
        textList[record] = textItem.toPlainText();
    if (index < textList.size()) {
        textList.insert(index, QString());
        return;
    }
    const QString fill = textList.isEmpty() ? textItem.toPlainText() : textList.constLast();
    while (textList.size() < index + 1)
        textList.append(fill);
}

int TextItem::recordCount() const
{
    return qMax(1, textList.size());
}

void TextItem::showRecord()
{
    ProgramChange change(this);
    if (record >= 0 && record < textList.size()) {
        textItem.setPlainText(textList.at(record));
        setAlignment(alignment());
    }
}

void TextItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    BaseItem::paint(painter, option, widget);
}

void TextItem::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    const QString current = textItem.toPlainText();
    out << pos() << size();
    out << textItem.font();
    out << qint32(align);
    out << current;
    out << double(rotation());
    QStringList list = textList;
    if (record >= 0 && record < list.size() && list.at(record) != current)
        list[record] = current;
    out << qint32(list.size());
    for (const QString &s : qAsConst(list))
        out << s;
}

void TextItem::streamRead(QDataStream &in)
{
    qint32 version = 0;
    if (!streamheader::read(in, uuid(), &version)) {
        qWarning("LabelTextItem header mismatch error");
        return;
    }
    ProgramChange change(this);
    QPointF p;
    QSizeF s;
    QFont f;
    qint32 a = Qt::AlignLeft;
    QString text;
    if (!safestream::readGeometry(in, p, s) || !safestream::readFont(in, f))
        return;
    in >> a >> text;
    if (in.status() != QDataStream::Ok)
        return;
    setPos(p);
    setSize(s);
    textItem.setFont(f);
    textItem.setPlainText(text);
    setAlignment(Qt::Alignment(a));
    if (version >= 2) {
        double r = 0;
        if (!safestream::readRotation(in, r))
            return;
        setItemRotation(r);
    }
    if (version >= 3) {
        qint32 n = 0;
        // Every stored string takes at least its four-byte length.
        if (!safestream::readCount(in, n, 4))
            return;
        QStringList list;
        list.reserve(n);
        for (qint32 i = 0; i < n && !in.atEnd(); ++i) {
            QString t;
            in >> t;
            if (in.status() != QDataStream::Ok)
                return;
            list.append(t);
        }
        textList = list;
        showRecord();
    }
}
