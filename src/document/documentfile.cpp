#include "document.h"

#include "databinding.h"
#include "datasource.h"
#include "datasourceblock.h"
#include "datasourcemanager.h"
#include "labelitems/baseitem.h"
#include "labelitems/itemfactory.h"
#include "labelitems/itemtypes.h"
#include "printersettings_win.h"
#include "safestream.h"
#include "streamheader.h"
#include "services.h"
#include "version.h"

#include <QFileDevice>
#include <QIODevice>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QSet>
#include <QAbstractItemModel>
#include <QtDebug>

#include <cstring>

namespace {
const char Magic[] = "Veltrux Tagorix document file\n";
constexpr int MagicLength = sizeof(Magic) - 1;
// The stream version of every label document file (QDataStream::Qt_5_2).
constexpr int FileStreamVersion = 15;

// After the last block of older builds, which stop reading there: the rows
// each data file had when the document was saved, so that a binding that
// reached the last row keeps reaching it when the file grows.
const QUuid &rowCountsUuid()
{
    static const QUuid u(QStringLiteral("{6d0f4c2e-8b7a-4f51-a3c9-2e5b7d1f9a40}"));
    return u;
}
constexpr qint32 RowCountsVersion = 1;
} // namespace

void Document::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    // Only this document's own sources: a file never carries the tables of
    // other documents that happen to be open.
    QVector<DataSourceManager::BlockEntry> entries;
    QList<DataSource *> listed;
    for (const DataSourceManager::BlockEntry &e : qAsConst(ownSources)) {
        bool live = false;
        bool deleted = false;
        for (const QPointer<DataSource> &s : e.sources) {
            (s ? live : deleted) = true;
            if (s)
                listed.append(s);
        }
        // A source the user deleted is not stored again; a data file that
        // was missing when the document was read is.
        if (deleted && !live)
            continue;
        entries.append(e);
    }
    QMap<QString, qint32> rows;
    for (DataBinding *b : bindings()) {
        DataSource *s = b->source();
        if (s && !listed.contains(s)) {
            entries.append(DataSourceManager::entryFor(s));
            listed.append(s);
        }
    }
    for (DataSource *s : qAsConst(listed)) {
        if (s->kind() == DataSource::File && s->model())
            rows.insert(s->name(), qint32(s->model()->rowCount()));
    }
    // Files that are missing now keep the row counts they were saved with.
    for (auto it = savedRows.cbegin(); it != savedRows.cend(); ++it) {
        if (!rows.contains(it.key()))
            rows.insert(it.key(), it.value());
    }
    DataSourceManager::writeBlock(out, entries);
    stock.streamWrite(out);

    // Every item of the scene, topmost first; handles and text editors are
    // recorded by their type code alone.
    const QList<QGraphicsItem *> all = items(Qt::DescendingOrder);
    out << qint32(all.size());
    for (QGraphicsItem *gi : all) {
        const qint32 type = gi->type();
        out << type;
        if (!itemtype::isLabelItem(type))
            continue;
        if (auto *s = dynamic_cast<ISerializable *>(gi))
            s->streamWrite(out);
    }

    // Without printer settings, or for settings without a printer name (no
    // printer installed when they were made), the name is written null and no
    // printer block follows.
    const QString printerName = printer ? printer->printerName() : QString();
    if (printerName.isEmpty()) {
        out << QString();
    } else {
        out << printerName;
        printer->streamWrite(out);
    }
    out << locked;

    // Documents without data files stay as older builds wrote them.
    if (rows.isEmpty())
        return;
    out << rowCountsUuid() << RowCountsVersion << qint32(rows.size());
    for (auto it = rows.cbegin(); it != rows.cend(); ++it)
        out << it.key() << it.value();
}

void Document::readRowCounts(QDataStream &in)
{
    savedRows.clear();
    // Files of older builds end after the lock.
    if (in.atEnd())
        return;
    QUuid id;
    qint32 version = 0;
    in >> id >> version;
    if (in.status() != QDataStream::Ok || id != rowCountsUuid() || version < 1) {
        // Something this build does not know follows: it is not read, and
        // the rest of the document stands.
        in.resetStatus();
        return;
    }
    qint32 count = 0;
    // A name and a count of at least four bytes each.
    if (!safestream::readCount(in, count, 8))
        return;
    for (qint32 i = 0; i < count; ++i) {
        QString name;
        qint32 n = 0;
        in >> name >> n;
        if (in.status() != QDataStream::Ok)
            return;
        if (n >= 0)
            savedRows.insert(name, n);
    }
}

void Document::noteRowChanges()
{
    notes.clear();
    DataSourceManager *manager = services::dataSourceManager();
    const QStringList overridden = manager ? manager->overriddenSources() : QStringList();
    QSet<QString> told;
    for (DataBinding *b : bindings()) {
        DataSource *s = b->source();
        // An internal table was read with the rows it was saved with.
        if (s && s->kind() == DataSource::Internal && s->model())
            b->markRowsAtSave(s->model()->rowCount());
        if (!s || s->kind() != DataSource::File || overridden.contains(s->name()))
            continue;
        const int now = s->model() ? s->model()->rowCount() : 0;
        auto saved = savedRows.constFind(s->name());
        if (saved != savedRows.cend()) {
            b->markRowsAtSave(*saved);
            if (*saved != now && !told.contains(s->name())) {
                told.insert(s->name());
                notes << tr("The data file %1 has %2 rows; it had %3 when the label was saved.")
                             .arg(s->name())
                             .arg(now)
                             .arg(*saved);
            }
        } else if (b->rowsMissing() > 0 && !told.contains(s->name())) {
            told.insert(s->name());
            notes << tr("The data file %1 has %2 rows, fewer than the label uses.")
                         .arg(s->name())
                         .arg(now);
        }
    }
}

void Document::readPrinterBlock(QDataStream &in)
{
    QString name;
    in >> name;
    if (in.status() != QDataStream::Ok || name.isNull())
        return;
    if (printer && printer->printerName() == name) {
        printer->streamRead(in);
        return;
    }
    if (QPrinterInfo::availablePrinterNames().contains(name)) {
        delete printer;
        printer = new PrinterSettingsWin(name);
        printer->streamRead(in);
        return;
    }
    // Not installed here: the block is read past, the document keeps its
    // previous settings, and the command that opened the file tells the user.
    printerNotFound = name;
    PrinterSettingsWin discarded(name);
    discarded.streamRead(in);
}

void Document::streamRead(QDataStream &in)
{
    qint32 version = 0;
    if (!streamheader::read(in, uuid(), &version)) {
        qWarning("Document header mismatch error");
        return;
    }
    // Without the application's manager (tools that read documents alone)
    // the block is read past.
    DataSourceManager *manager = services::dataSourceManager();
    ownSources.clear();
    notes.clear();
    if (manager) {
        manager->streamRead(in);
        ownSources = manager->lastBlock();
    } else {
        datasourceblock::skip(in);
    }
    if (in.status() != QDataStream::Ok)
        return;
    // Items bind to the sources this file brought in, never to another
    // document's table of the same name.
    DataSourceManager::LookupScope scope(manager, dataSources());

    SizeTemplate st;
    st.streamRead(in);
    if (in.status() != QDataStream::Ok)
        return;
    setSizeTemplate(st);

    qint32 count = 0;
    // Every entry is at least its four-byte type code.
    if (!safestream::readCount(in, count, 4))
        return;
    QList<BaseItem *> read;
    for (qint32 i = 0; i < count; ++i) {
        qint32 type = 0;
        in >> type;
        if (in.status() != QDataStream::Ok)
            break;
        if (!itemtype::isLabelItem(type))
            continue;
        BaseItem *item = itemfactory::create(type);
        auto *serializable = dynamic_cast<ISerializable *>(item);
        if (!serializable) {
            // A label item whose class this build lacks: its block length is
            // unknown, so nothing after it can be trusted.
            delete item;
            in.setStatus(QDataStream::ReadCorruptData);
            break;
        }
        serializable->streamRead(in);
        if (in.status() != QDataStream::Ok) {
            delete item;
            break;
        }
        read.append(item);
    }
    if (in.status() != QDataStream::Ok) {
        qDeleteAll(read);
        return;
    }
    // The file lists the topmost item first; adding bottom-up keeps the stacking.
    for (auto it = read.crbegin(); it != read.crend(); ++it) {
        addItem(*it);
        connectItem(*it);
    }

    readPrinterBlock(in);
    if (in.status() != QDataStream::Ok)
        return;

    if (version >= 4) {
        bool lock = false;
        in >> lock;
        if (in.status() != QDataStream::Ok)
            return;
        locked = lock;
    }
    // The items follow the stored lock, so a locked layout cannot be dragged.
    applyLockToItems();
    readRowCounts(in);
    if (in.status() != QDataStream::Ok)
        return;
    noteRowChanges();
    setModified(false);
}

bool writeDocumentFile(QIODevice *device, Document *document)
{
    if (!device || !document)
        return false;
    if (!device->isOpen() && !device->open(QIODevice::WriteOnly))
        return false;
    QDataStream out(device);
    out.setVersion(FileStreamVersion);
    out.writeRawData(Magic, MagicLength);
    out << qint32(version::major) << qint32(version::minor) << qint32(version::patch) << qint32(1);
    document->streamWrite(out);
    bool ok = out.status() == QDataStream::Ok;

    if (auto *save = qobject_cast<QSaveFile *>(device)) {
        // Only a complete file replaces the old one.
        if (!ok) {
            save->cancelWriting();
            save->commit();
            return false;
        }
        return save->commit();
    }
    if (auto *file = qobject_cast<QFileDevice *>(device))
        ok = file->flush() && ok;
    device->close();
    return ok;
}

bool readDocumentFile(QIODevice *device, Document *document)
{
    if (!device || !document)
        return false;
    if (!device->isOpen() && !device->open(QIODevice::ReadOnly))
        return false;
    QDataStream in(device);
    in.setVersion(FileStreamVersion);
    char magic[MagicLength];
    if (in.readRawData(magic, MagicLength) != MagicLength ||
        std::memcmp(magic, Magic, MagicLength) != 0) {
        device->close();
        return false;
    }
    qint32 major = 0, minor = 0, patch = 0, fourth = 0;
    in >> major >> minor >> patch >> fourth;
    document->streamRead(in);
    const bool ok = in.status() == QDataStream::Ok;
    device->close();
    return ok;
}
