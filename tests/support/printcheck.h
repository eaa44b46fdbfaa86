#pragma once

#include "sizetemplate.h"

#include <QByteArray>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>

class Document;

// Documents to print and what a printed PDF holds, for the print tests.
namespace printcheck {

// A document on `stock` whose one text item shows "<prefix><n>" on label n
// (counted from 1).
std::unique_ptr<Document> makeDocument(int labels, const SizeTemplate &stock,
                                       const QString &prefix = QStringLiteral("LBL"));

bool saveDocument(Document &doc, const QString &path);

// Printed labels in a ZPL stream: the Zebra driver sends each page as a
// graphic, a block that prints it and a block that deletes it again, so a
// label is a ^XA ... ^XZ block that carries a graphic (^XG).
int labelBlocks(const QByteArray &zpl);

struct Word
{
    double xMin = 0;
    double yMin = 0;
    QString text;
    double xMax = 0;
    double yMax = 0;
};

struct Page
{
    // In points, as pdfinfo gives it.
    QSizeF size;
    // Left to right.
    QList<Word> words;
};

struct Pdf
{
    QString error;
    QList<Page> pages;

    bool ok() const { return error.isEmpty(); }
    // The words of each page, left to right.
    QList<QStringList> rows() const;
};

// Pages, page sizes and words of a PDF file, read with pdfinfo and pdftotext.
Pdf inspect(const QString &path);

constexpr double PointsPerMm = 72.0 / 25.4;

} // namespace printcheck
