#include "docbuilder.h"

#include "document.h"
#include "labelitems/dataitem.h"
#include "labelitems/textitem.h"

#include <QUuid>

QByteArray docbuilder::magic()
{
    return QByteArray("Veltrux Tagorix document file\n");
}

SizeTemplate docbuilder::makeTemplate(double width, double height, int columns)
{
    SizeTemplate t;
    t.setValue(SizeTemplate::Id, 7);
    t.setValue(SizeTemplate::Category, 2);
    t.setValue(SizeTemplate::ItemNo, QStringLiteral("TX-TEST-1"));
    t.setValue(SizeTemplate::Description, QStringLiteral("Test label"));
    t.setValue(SizeTemplate::LabelWidth, width);
    t.setValue(SizeTemplate::LabelHeight, height);
    t.setValue(SizeTemplate::LinerWidth, width * columns + 4 + 2 * (columns - 1));
    t.setValue(SizeTemplate::MarginLeft, 2.0);
    t.setValue(SizeTemplate::MarginRight, 2.0);
    t.setValue(SizeTemplate::RowSpacing, 3.0);
    t.setValue(SizeTemplate::ColSpacing, 2.0);
    t.setValue(SizeTemplate::Columns, columns);
    return t;
}

void docbuilder::writeTemplate(QDataStream &out, const SizeTemplate &t)
{
    out << QUuid(QStringLiteral("{a4f1e2e0-3c4c-11e4-baad-164230d1df67}")) << qint32(1);
    out << quint32(t.count());
    for (qint32 key = 0; key < 12; ++key) {
        if (t.values().contains(key))
            out << key << t.value(key);
    }
}

void docbuilder::writeEmptySources(QDataStream &out)
{
    out << QUuid(QStringLiteral("{1657b32a-3f4e-11e4-9d9f-164230d1df67}")) << qint32(2)
        << qint32(0);
}

void docbuilder::writeText(QDataStream &out, const Text &t)
{
    out << QUuid(QStringLiteral("{a4f1df52-3c4c-11e4-baad-164230d1df67}")) << t.version;
    out << t.pos << t.size;
    if (t.rawFont.isEmpty())
        out << t.font;
    else
        out.writeRawData(t.rawFont.constData(), t.rawFont.size());
    out << t.alignment << t.text;
    if (t.version >= 2)
        out << t.rotation;
    if (t.version >= 3) {
        out << qint32(t.texts.size());
        for (const QString &s : t.texts)
            out << s;
    }
}

QByteArray docbuilder::rawFont(const QString &family, double pointSize, qint32 pixelSize)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(15);
    // family, sizes, style hint, strategy, charset, weight, bits, stretch,
    // extended bits, letter and word spacing
    out << family << pointSize << pixelSize << quint8(5) << quint8(1) << quint8(0) << quint8(50)
        << quint8(0) << quint16(100) << quint8(0) << qint32(0) << qint32(0);
    return bytes;
}

void docbuilder::writeFileStart(QDataStream &out, qint32 documentVersion)
{
    const QByteArray m = magic();
    out.writeRawData(m.constData(), m.size());
    out << qint32(4) << qint32(1) << qint32(0) << qint32(1);
    out << QUuid(QStringLiteral("{a4f1e9c0-3c4c-11e4-baad-164230d1df67}")) << documentVersion;
}

TextItem *docbuilder::addText(Document &doc, QPointF pos, QSizeF size, const QString &text)
{
    auto *t = new TextItem(size);
    t->setPos(pos);
    t->setPlainText(text);
    doc.addItem(t);
    doc.connectItem(t);
    return t;
}

void docbuilder::writePixmap(QDataStream &out, QPointF pos, QSizeF size, const QByteArray &png,
                             double rotation, qint32 version)
{
    out << QUuid(QStringLiteral("{a4f1e54c-3c4c-11e4-baad-164230d1df67}")) << version;
    out << pos << size;
    out << qint32(png.isEmpty() ? 0 : 1);
    out.writeRawData(png.constData(), png.size());
    if (version >= 2)
        out << rotation;
}

void docbuilder::writeDateTime(QDataStream &out, QPointF pos, QSizeF size, const QFont &font,
                               qint32 alignment, const QDateTime &value, const QString &format,
                               bool systemTime, double rotation, qint32 version)
{
    out << QUuid(QStringLiteral("{bf5e8d77-1b02-4d26-939c-6c302ac85cee}")) << version;
    out << pos << size << font << alignment << value << format << systemTime;
    if (version >= 2)
        out << rotation;
}

QByteArray docbuilder::fileWithItem(qint32 type, const QByteArray &block)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(15);
    writeFileStart(out);
    writeEmptySources(out);
    writeTemplate(out, makeTemplate(100, 50));
    out << qint32(1) << type;
    out.writeRawData(block.constData(), block.size());
    out << QString() << false;
    return bytes;
}

QStringList docbuilder::shownPerLabel(Document &doc, DataItem *item)
{
    QStringList shown;
    for (int i = 0; i < doc.labelCount(); ++i) {
        doc.selectLabel(i);
        shown << item->plainText();
    }
    doc.selectLabel(0);
    return shown;
}
