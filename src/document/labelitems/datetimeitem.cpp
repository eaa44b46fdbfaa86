#include "datetimeitem.h"

#include "itemeditor.h"
#include "safestream.h"
#include "streamheader.h"

#include <QLocale>
#include <QMenu>

namespace {
DateTimeItem::Clock &currentClock()
{
    static DateTimeItem::Clock c = [] { return QDateTime::currentDateTime(); };
    return c;
}
} // namespace

DateTimeItem::DateTimeItem(QSizeF size, QGraphicsItem *parent) : BaseItem(size, parent), textItem(this)
{
    setObjectName(QStringLiteral("labelitem/timedate"));
    textItem.setTextWidth(size);
    setSize(size);
    textItem.setTextInteractionFlags(Qt::NoTextInteraction);
    textItem.setAcceptHoverEvents(false);
    // Presses go to the item itself, which is dragged by its text as well.
    textItem.setAcceptedMouseButtons(Qt::NoButton);
    formatString = QLocale().dateFormat(QLocale::LongFormat);
    refresh();
}

QUuid DateTimeItem::uuid()
{
    static const QUuid u(QStringLiteral("{bf5e8d77-1b02-4d26-939c-6c302ac85cee}"));
    return u;
}

void DateTimeItem::setClock(Clock c)
{
    currentClock() = c ? std::move(c) : Clock([] { return QDateTime::currentDateTime(); });
}

void DateTimeItem::populateMenu(QMenu *m)
{
    BaseItem::populateMenu(m);
    m->addSeparator();
    connect(m->addAction(tr("Edit date and time format...")), &QAction::triggered, this,
            &DateTimeItem::editDialog);
}

void DateTimeItem::setSize(qreal w, qreal h)
{
    setSize(QSizeF(w, h));
}

void DateTimeItem::setSize(const QSizeF &size)
{
    textItem.setTextWidth(size);
    BaseItem::setSize(size);
}

void DateTimeItem::setPrintMode(bool on)
{
    BaseItem::setPrintMode(on);
    refresh();
}

void DateTimeItem::setFont(const QFont &font)
{
    textItem.setFont(font);
}

QFont DateTimeItem::font() const
{
    return textItem.font();
}

void DateTimeItem::setTextColor(const QColor &color)
{
    textItem.setDefaultTextColor(color);
}

void DateTimeItem::setAlignment(Qt::Alignment a)
{
    align = int(a);
    textItem.setBlockAlignment(a);
}

void DateTimeItem::setValue(const QDateTime &dateTime, const QString &format, bool systemTime)
{
    value = dateTime;
    formatString = format;
    useSystemTime = systemTime;
    refresh();
}

void DateTimeItem::refresh()
{
    if (useSystemTime)
        value = currentClock()();
    textItem.setPlainText(formatString.isNull() ? value.toString(Qt::TextDate)
                                                : value.toString(formatString));
    setAlignment(alignment());
}

void DateTimeItem::editDialog()
{
    if (ItemEditor::run(this, ItemEditor::Content))
        emit contentEdited(this);
}

void DateTimeItem::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    out << pos() << size();
    out << textItem.font() << qint32(align);
    out << value << formatString << useSystemTime;
    out << double(rotation());
}

void DateTimeItem::streamRead(QDataStream &in)
{
    qint32 version = 0;
    if (!streamheader::read(in, uuid(), &version)) {
        qWarning("TimeDateItem header mismatch error");
        return;
    }
    QPointF p;
    QSizeF s;
    QFont f;
    qint32 a = Qt::AlignLeft;
    QDateTime dt;
    QString fmt;
    bool system = true;
    if (!safestream::readGeometry(in, p, s) || !safestream::readFont(in, f))
        return;
    in >> a >> dt >> fmt >> system;
    if (in.status() != QDataStream::Ok)
        return;
    setPos(p);
    setSize(s);
    textItem.setFont(f);
    align = a;
    setValue(dt, fmt, system);
    if (version >= 2) {
        double r = 0;
        if (!safestream::readRotation(in, r))
            return;
        setItemRotation(r);
    }
}
