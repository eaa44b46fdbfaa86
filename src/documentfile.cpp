#include "document.h"

#include "datasourceblock.h"
#include "datasourcemanager.h"
#include "labelitems/baseitem.h"
#include "labelitems/itemfactory.h"
#include "labelitems/itemtypes.h"
#include "printersettings_win.h"
#include "safestream.h"
#include "streamheader.h"
#include "txapp.h"
#include "version.h"

#include <QFileDevice>
#include <QIODevice>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QtDebug>

#include <cstring>

namespace {
const char Magic[] = "Veltrux Tagorix document file\n";
constexpr int MagicLength = sizeof(Magic) - 1;
// The stream version of every label document file (QDataStream::Qt_5_2).
constexpr int FileStreamVersion = 15;
} // namespace

void Document::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    if (DataSourceManager *manager = TxApp::dataSourceManager())
        manager->streamWrite(out);
    else
        datasourceblock::writeEmpty(out);
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
    if (DataSourceManager *manager = TxApp::dataSourceManager())
        manager->streamRead(in);
    else
        datasourceblock::skip(in);
    if (in.status() != QDataStream::Ok)
        return;

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
