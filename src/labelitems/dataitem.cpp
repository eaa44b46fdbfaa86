#include "dataitem.h"

#include "datasource.h"
#include "datasourcemanager.h"
#include "dialogs/dataitemdialog.h"
#include "safestream.h"
#include "streamheader.h"
#include "txapp.h"

#include <QAbstractItemModel>
#include <QMenu>

DataItem::DataItem(QSizeF size, QGraphicsItem *parent) : BaseItem(size, parent), textItem(this)
{
    setObjectName(QStringLiteral("labelitem/data"));
    textItem.setTextWidth(size);
    setSize(size);
    textItem.setTextInteractionFlags(Qt::NoTextInteraction);
    textItem.setAcceptHoverEvents(false);
    // Presses go to the item itself, which is dragged by its text as well.
    textItem.setAcceptedMouseButtons(Qt::NoButton);
    watchManager();
}

QUuid DataItem::uuid()
{
    static const QUuid u(QStringLiteral("{a4f1e768-3c4c-11e4-baad-164230d1df67}"));
    return u;
}

DataSource *DataItem::dataSource() const
{
    return source;
}

void DataItem::watchManager()
{
    if (DataSourceManager *manager = TxApp::dataSourceManager())
        connect(manager, &DataSourceManager::sourcesChanged, this, &DataItem::sourcesChanged);
}

void DataItem::sourcesChanged()
{
    if (source || (indexes.isEmpty() && cells.isEmpty()))
        return;
    cells.clear();
    indexes.clear();
    record = 0;
    refresh();
    emit dataChanged();
    // The binding the document stores is gone: an unsaved change.
    emit contentEdited(this);
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
    source = src;
    cells = src ? sel : QItemSelection();
    indexes = cells.indexes();
    record = 0;
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
    QString text;
    if (source && record >= 0 && record < indexes.size() && indexes.at(record).isValid())
        text = indexes.at(record).data(Qt::DisplayRole).toString();
    textItem.setPlainText(text);
    setAlignment(alignment());
}

void DataItem::editDialog()
{
    QPointer<DataItemDialog> dialog = new DataItemDialog(source, cells);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (dialog && accepted) {
        setData(dialog->dataSource(), dialog->selection());
        emit contentEdited(this);
    }
    delete dialog;
}

void DataItem::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    out << pos() << size();
    out << textItem.font() << qint32(align);
    if (source) {
        out << source->fileInfo().absoluteFilePath() << source->name();
        safestream::writeRanges(out, cells);
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

    DataSource *found = nullptr;
    DataSourceManager *manager = TxApp::dataSourceManager();
    if (!path.isNull() && manager)
        found = version >= 3 ? manager->findByName(name) : manager->findByFilePath(path);
    QItemSelection sel;
    if (!path.isNull()) {
        const QAbstractItemModel *model = found ? found->model() : nullptr;
        if (version >= 4) {
            if (!safestream::readRanges(in, model, &sel))
                return;
        } else {
            qint32 column = -1;
            in >> column;
            if (in.status() != QDataStream::Ok)
                return;
            if (model && column >= 0 && column < model->columnCount() && model->rowCount() > 0)
                sel.append(QItemSelectionRange(model->index(0, column),
                                               model->index(model->rowCount() - 1, column)));
        }
    }
    source = found;
    cells = found ? sel : QItemSelection();
    indexes = cells.indexes();
    record = 0;
    refresh();
    if (version >= 2) {
        double r = 0;
        if (!safestream::readRotation(in, r))
            return;
        setItemRotation(r);
    }
}
