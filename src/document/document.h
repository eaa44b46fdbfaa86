#pragma once

#include "iprintable.h"
#include "iserializable.h"
#include "datasourcemanager.h"
#include "labelgeometry.h"
#include "labelitems/baseitem.h"
#include "labelitems/baseitemcorner.h"
#include "sizetemplate.h"

#include <QByteArray>
#include <QColor>
#include <QFileInfo>
#include <QFont>
#include <QGraphicsScene>
#include <QList>
#include <QPair>
#include <QPixmap>
#include <QPointer>

#include <functional>
#include <limits>

class BaseItem;
class DataBinding;
class DataSource;
class PrinterSettingsWin;
class QIODevice;
class QUndoCommand;
class QUndoStack;
class TextItem;

// One open label document: a scene whose rectangle is the label and whose
// items are the label items. Label i shows record i of every item; the label
// count is the largest record count of its items.
class Document : public QGraphicsScene, public IPrintable, public ISerializable
{
    Q_OBJECT
public:
    // What the next mouse gesture inserts.
    enum InsertMode { NoInsert = 0, InsertText, InsertImage, InsertData, InsertDateTime, InsertBarcode };

    explicit Document(QObject *parent = nullptr);
    ~Document() override;

    QUndoStack *undoStack() const { return stack; }
    SizeTemplate sizeTemplate() const { return stock; }
    LabelGeometry labelGeometry() const { return geometry; }
    // What a click with the barcode tool inserts, in scene units.
    QSizeF defaultBarcodeSize() const;
    // The dots per inch the document's printer prints with (its driver's
    // resolution choice); the commonest label printer's 203 when it names none.
    int printDpi() const;
    PrinterSettingsWin *printerSettings() const { return printer; }
    int currentLabel() const { return current; }
    int labelCount() const;

    QFileInfo fileInfo() const { return file; }
    void setFileInfo(const QFileInfo &info) { file = info; }

    bool isModified() const { return modified; }
    void setModified(bool on);
    bool isLocked() const { return locked; }
    // An item's geometry was set in one go (from `before`): one undo entry.
    void geometryEdited(BaseItem *item, const BaseItem::Geometry &before);
    // Runs `edit` and makes what it changed of `items` one undo entry named
    // `text`; a locked layout keeps their geometry. False, and no entry,
    // when nothing changed.
    bool editItems(const QList<BaseItem *> &items, const QString &text,
                   const std::function<void()> &edit);
    // The stock and printer were set from "Label properties": one undo entry.
    void labelPropertiesEdited(const SizeTemplate &stockBefore, const QByteArray &printerBefore);
    // The printer settings as a block, and the settings put back from one.
    QByteArray printerState() const;
    void restorePrinterState(const QByteArray &bytes);
    // The item leaves the scene while typed in: its typing gets no entry.
    void forgetTyping(BaseItem *item);
    // Ends typing in a frame, which makes it an undo entry (before an undo
    // from the window, for instance).
    void endTyping() { setFocusItem(nullptr); }
    // Items changed their records: the current label stays one that exists,
    // and with `announce` views hear of the labels there are now.
    void recountLabels(bool announce = true);
    void setLocked(bool on);

    int insertMode() const { return mode; }
    void setInsertMode(int m) { mode = m; }
    void resetInsertMode() { mode = NoInsert; }

    // Where the image tool gets its picture: the window asks the user for a
    // file. A null picture (cancelled, not an image) inserts nothing.
    using ImageSource = std::function<QPixmap()>;
    void setImageSource(ImageSource source) { imageSource = std::move(source); }

    // Font and colour given to new text-based items.
    void setFont(const QFont &font) { insertFont = font; }
    QFont font() const { return insertFont; }
    QColor textColor() const { return insertColor; }

    bool isGridVisible() const { return gridVisible; }
    void setGridVisible(bool on);
    bool snapToGrid() const { return snap; }
    void setSnapToGrid(bool on) { snap = on; }
    double gridSize() const { return grid; }
    QPointF nearestGridPoint(QPointF p) const;

    int mergeId() const { return merge; }

    void copy();
    void cut();
    void paste();
    void deleteSelected();
    void alignSelected(Qt::Alignment alignment);
    void rotateSelected(double angle);
    void setSelectedFont(const QFont &font);
    // Selects every label item, also those moved or turned off the label.
    void selectAllItems();

    // Every label item of the scene, topmost first.
    QList<BaseItem *> labelItems() const;
    // Connects an item added by insertion, reading or pasting to the document.
    void connectItem(BaseItem *item);

    void setPrintMode(bool on) override;

    qint32 headerVersion() const override { return 4; }
    QUuid headerUuid() const override { return uuid(); }
    static QUuid uuid();
    void streamRead(QDataStream &in) override;
    void streamWrite(QDataStream &out) override;

    // The data sources this document's file stores: those it was read with
    // (data files that were missing among them, so they are not forgotten),
    // those added while it was being edited, and those its items use.
    QList<DataSource *> dataSources() const;
    // A source added for this document (through the data sources dock).
    void adoptSource(DataSource *source);
    // The bindings of every item that shows cells of a data source.
    QList<DataBinding *> bindings() const;
    // Why the labels cannot be printed as they are, one sentence a reason:
    // an item bound to a source that is not open, a data file that is gone.
    // Printing empty labels instead would look like success.
    QStringList dataProblems() const;
    // What the user should know about the data after reading the file: data
    // files with fewer or more rows than when the document was saved.
    QStringList dataNotes() const { return notes; }

    // The printer a file named but that is not installed (empty otherwise);
    // set by streamRead so that the command that opened the file can tell the user.
    QString missingPrinter() const { return printerNotFound; }

signals:
    void itemInserted(QGraphicsItem *item);
    void itemSelectedChange(QGraphicsItem *item, bool selected);
    void itemMoved();
    void labelChanged(int current, int total);
    void labelsInserted();
    void labelsRemoved();
    void modifiedChanged(bool modified);
    // The stock (and with it the label's size) was replaced; views follow it.
    void sizeTemplateChanged();
    // What an item shows was changed outside the undo history (a keystroke
    // in a frame, a table read again); thumbnails follow it.
    void contentEdited();

public slots:
    void setSizeTemplate(SizeTemplate st);
    void setPrinterSettings(PrinterSettingsWin *settings);
    void setSelectedTextAlignmentSlot(int idx);
    void selectLabel(int idx);
    void insertLabel();
    void removeLabel();

private slots:
    void itemRepositioned(BaseItem *item, QPointF origPos);
    void itemResized(BaseItem *item);
    void itemContentEdited()
    {
        setModified(true);
        emit contentEdited();
    }
    void itemRecordsChanged();
    void itemTypingBegan(TextItem *item);
    void itemTypingEnded(TextItem *item);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;

private:
    void insertItemAt(int insertMode);
    void pushEdit(QUndoCommand *command);
    void applyLockToItems();
    // Every gesture gets an id of its own. (Two alternating ids let a drag
    // after an undo merge into an older drag's entry.)
    void switchMergeId() { merge = merge < std::numeric_limits<int>::max() ? merge + 1 : 1; }
    void readPrinterBlock(QDataStream &in);
    void readRowCounts(QDataStream &in);
    void noteRowChanges();

    QFileInfo file;
    int mode = NoInsert;
    QFont insertFont;
    QColor insertColor = Qt::black;
    bool gridVisible = true;
    bool snap = true;
    double grid = 1.0;
    SizeTemplate stock;
    LabelGeometry geometry;
    QUndoStack *stack = nullptr;
    int current = 0;
    PrinterSettingsWin *printer = nullptr;
    bool modified = false;
    int merge = 1;
    // Copies are taken when copying, so a later deletion of the original
    // cannot leave the buffer pointing at a freed item.
    QList<QPair<int, QByteArray>> copyBuffer;
    int pasteCount = 0;
    QPointF pressPos;
    QPointF movePos;
    bool locked = false;
    QString printerNotFound;
    ImageSource imageSource;
    QVector<DataSourceManager::BlockEntry> ownSources;
    // Rows each data file had when the document was saved, by source name.
    QMap<QString, qint32> savedRows;
    QStringList notes;
    // The frame being typed in and its block when the typing began.
    QPointer<BaseItem> typingItem;
    QByteArray typingBefore;
};

// Reads a label document file into a freshly constructed document. False
// when the file cannot be opened, is no label document, or is damaged.
bool readDocumentFile(QIODevice *device, Document *document);

// Writes the document as a label document file.
bool writeDocumentFile(QIODevice *device, Document *document);
