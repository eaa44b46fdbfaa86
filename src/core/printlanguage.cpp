#include "printlanguage.h"

#include <QSettings>

#include <cups/cups.h>

namespace {

QString key(const QString &queue)
{
    // Queue names may hold characters QSettings treats as separators.
    return QStringLiteral("printerLanguage/") +
           QString::fromLatin1(queue.toUtf8().toPercentEncoding());
}

} // namespace

printlanguage::Language printlanguage::stored(const QString &queue)
{
    const QString value = QSettings().value(key(queue)).toString();
    if (value == QLatin1String("zpl"))
        return Zpl;
    if (value == QLatin1String("driver"))
        return Driver;
    return Automatic;
}

void printlanguage::store(const QString &queue, Language language)
{
    QSettings settings;
    if (language == Automatic)
        settings.remove(key(queue));
    else
        settings.setValue(key(queue), language == Zpl ? QStringLiteral("zpl")
                                                      : QStringLiteral("driver"));
}

bool printlanguage::driverSpeaksZpl(const QString &queue)
{
    if (queue.isEmpty())
        return false;
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr);
    if (!dest)
        return false;
    const char *model = cupsGetOption("printer-make-and-model", dest->num_options, dest->options);
    const bool zpl = model && QString::fromUtf8(model).contains(QLatin1String("ZPL"), Qt::CaseInsensitive);
    cupsFreeDests(1, dest);
    return zpl;
}

bool printlanguage::usesZpl(const QString &queue)
{
    switch (stored(queue)) {
    case Zpl:
        return true;
    case Driver:
        return false;
    case Automatic:
        break;
    }
    return driverSpeaksZpl(queue);
}
