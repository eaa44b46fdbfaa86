#include "printcheck.h"

#include "document.h"
#include "labelitems/textitem.h"

#include <QFile>
#include <QFont>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

namespace {

bool runTool(const QString &tool, const QStringList &arguments, QString *output)
{
    QProcess p;
    p.start(tool, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *output = QString::fromLocal8Bit(p.readAllStandardError());
        return false;
    }
    *output = QString::fromUtf8(p.readAllStandardOutput());
    return true;
}

} // namespace

std::unique_ptr<Document> printcheck::makeDocument(int labels, const SizeTemplate &stock,
                                                   const QString &prefix)
{
    auto doc = std::make_unique<Document>();
    doc->setSizeTemplate(stock);
    auto *text = new TextItem(doc->sceneRect().size());
    text->setFont(QFont(QStringLiteral("Liberation Sans"), 40));
    doc->addItem(text);
    doc->connectItem(text);
    if (labels > 1)
        text->insertRecord(labels - 1);
    for (int i = 0; i < labels; ++i) {
        text->setRecordIndex(i);
        text->setPlainText(prefix + QString::number(i + 1));
    }
    doc->selectLabel(0);
    doc->setModified(false);
    return doc;
}

bool printcheck::saveDocument(Document &doc, const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && writeDocumentFile(&file, &doc);
}

QList<QStringList> printcheck::Pdf::rows() const
{
    QList<QStringList> out;
    for (const Page &page : pages) {
        QStringList texts;
        for (const Word &w : page.words)
            texts << w.text;
        out << texts;
    }
    return out;
}

printcheck::Pdf printcheck::inspect(const QString &path)
{
    Pdf pdf;
    QString info;
    if (!runTool(QStringLiteral("pdfinfo"), {path}, &info)) {
        pdf.error = QStringLiteral("pdfinfo: ") + info;
        return pdf;
    }
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    const int count = pages.captured(1).toInt();
    if (count < 1) {
        pdf.error = QStringLiteral("no pages: ") + info;
        return pdf;
    }
    if (!runTool(QStringLiteral("pdfinfo"),
                 {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                  QString::number(count), path},
                 &info)) {
        pdf.error = QStringLiteral("pdfinfo: ") + info;
        return pdf;
    }
    static const QRegularExpression sizeLine(
        QStringLiteral("^Page\\s+(\\d+) size:\\s+([\\d.]+) x ([\\d.]+) pts"),
        QRegularExpression::MultilineOption);
    for (auto it = sizeLine.globalMatch(info); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        Page page;
        page.size = QSizeF(m.captured(2).toDouble(), m.captured(3).toDouble());
        pdf.pages << page;
    }
    if (pdf.pages.size() != count) {
        pdf.error = QStringLiteral("page sizes missing: ") + info;
        return pdf;
    }

    QString bbox;
    if (!runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")},
                 &bbox)) {
        pdf.error = QStringLiteral("pdftotext: ") + bbox;
        return pdf;
    }
    static const QRegularExpression pageOrWord(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    int index = -1;
    for (auto it = pageOrWord.globalMatch(bbox); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++index;
            continue;
        }
        if (index < 0 || index >= pdf.pages.size())
            continue;
        // pdftotext writes the words as XML text.
        QString text = m.captured(5);
        text.replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&apos;"), QLatin1String("'"))
            .replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
        pdf.pages[index].words << Word{m.captured(1).toDouble(), m.captured(2).toDouble(), text,
                                       m.captured(3).toDouble(),
                                       m.captured(4).toDouble()};
    }
    for (Page &page : pdf.pages)
        std::sort(page.words.begin(), page.words.end(),
                  [](const Word &a, const Word &b) { return a.xMin < b.xMin; });
    return pdf;
}

int printcheck::labelBlocks(const QByteArray &zpl)
{
    int n = 0;
    for (int start = zpl.indexOf("^XA"); start >= 0; start = zpl.indexOf("^XA", start + 1)) {
        const int end = zpl.indexOf("^XZ", start);
        if (end < 0)
            break;
        if (zpl.mid(start, end - start).contains("^XG"))
            ++n;
    }
    return n;
}
