#include "dataitem.h"

#include "datasource.h"
#include "datasourcemanager.h"
#include "itemeditor.h"
#include "safestream.h"
#include "streamheader.h"

#include <QAbstractItemModel>
#include <QMenu>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>

DataItem::DataItem(QSizeF size, QGraphicsItem *parent) : BaseItem(size, parent), textItem(this)
{
    setObjectName(QStringLiteral("labelitem/data"));
    textItem.setTextWidth(size);
    setSize(size);
    textItem.setTextInteractionFlags(Qt::NoTextInteraction);
    // Values are replaced for every label of a run; nobody types here.
    textItem.document()->setUndoRedoEnabled(false);
    textItem.setAcceptHoverEvents(false);
    // Presses go to the item itself, which is dragged by its text as well.
    textItem.setAcceptedMouseButtons(Qt::NoButton);
    connect(&binding, &DataBinding::changed, this, &DataItem::bindingChanged);
    // The table is gone but the binding the document stores stays; what
    // the next save writes changes, since the table is no longer there.
    connect(&binding, &DataBinding::sourceRemoved, this, [this] { emit contentEdited(this); });
}

QUuid DataItem::uuid()
{
    static const QUuid u(QStringLiteral("{a4f1e768-3c4c-11e4-baad-164230d1df67}"));
    return u;
}

DataSource *DataItem::dataSource() const
{
    return binding.source();
}

void DataItem::bindingChanged()
{
    refresh();
    emit dataChanged();
}

void DataItem::populateMenu(QMenu *m)
{
    BaseItem::populateMenu(m);
    m->addSeparator();
    connect(m->addAction(tr("Edit data source...")), &QAction::triggered, this,
            &DataItem::editDialog);
}

void DataItem::setSize(qreal w, qreal h)
{
    setSize(QSizeF(w, h));
}

void DataItem::setSize(const QSizeF &size)
{
    textItem.setTextWidth(size);
    BaseItem::setSize(size);
}

void DataItem::setFont(const QFont &font)
{
    textItem.setFont(font);
}

QFont DataItem::font() const
{
    return textItem.font();
}

void DataItem::setTextColor(const QColor &color)
{
    textItem.setDefaultTextColor(color);
}

void DataItem::setAlignment(Qt::Alignment a)
{
    align = int(a);
    textItem.setBlockAlignment(a);
}

void DataItem::setData(DataSource *src, const QItemSelection &sel)
{
    record = 0;
    const QSignalBlocker quiet(&binding);
    binding.bind(src, sel);
    refresh();
    emit dataChanged();
}

void DataItem::setRecordIndex(int index)
{
    record = index;
    refresh();
}

void DataItem::refresh()
{
    // A label past the item's cells shows nothing: it must never print
    // another label's value.
    const QString text = binding.text(record);
    // Switching to a label with the same value (a column of repeats, copies
    // of one row) lays nothing out again.
    if (text == textItem.toPlainText())
        return;
    // The text replaced in place, in one edit: the blocks keep their
    // alignment and the text is laid out once (not once for the text and
    // again for the alignment).
    QTextCursor cursor(textItem.document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    cursor.endEditBlock();
}

void DataItem::editDialog()
{
    if (ItemEditor::run(this, ItemEditor::Content))
        emit contentEdited(this);
}

void DataItem::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    out << pos() << size();
    out << textItem.font() << qint32(align);
    if (binding.isSet()) {
        // Written as stored while the source is missing, so nothing is lost.
        const QString path = binding.filePath();
        out << (path.isNull() ? QStringLiteral("") : path) << binding.sourceName();
        binding.writeRanges(out);
    } else {
        out << QString() << QString();
    }
    out << double(rotation());
}

void DataItem::streamRead(QDataStream &in)
{
    qint32 version = 0;
    if (!streamheader::read(in, uuid(), &version)) {
        qWarning("LabelDataItem header mismatch error");
        return;
    }
    QPointF p;
    QSizeF s;
    QFont f;
    qint32 a = Qt::AlignLeft;
    if (!safestream::readGeometry(in, p, s) || !safestream::readFont(in, f))
        return;
    in >> a;
    QString path;
    QString name;
    in >> path;
    if (version >= 3)
        in >> name;
    if (in.status() != QDataStream::Ok)
        return;
    setPos(p);
    setSize(s);
    textItem.setFont(f);
    align = a;

    QVector<DataBinding::Range> ranges;
    QVector<int> column;
    if (!path.isNull()) {
        if (version >= 4) {
            if (!DataBinding::readRanges(in, &ranges))
                return;
        } else {
            qint32 c = -1;
            in >> c;
            if (in.status() != QDataStream::Ok)
                return;
            if (c >= 0)
                column.append(c);
        }
    }
    {
        const QSignalBlocker quiet(&binding);
        if (path.isNull()) {
            binding.clear();
        } else {
            binding.setStored(version >= 3 ? name : QString(), path, ranges);
            if (version < 4)
                binding.setWholeColumns(column);
            binding.lookUp();
        }
    }
    record = 0;
    refresh();
    if (version >= 2) {
        double r = 0;
        if (!safestream::readRotation(in, r))
            return;
        setItemRotation(r);
    }
}
