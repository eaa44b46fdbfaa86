#include "sizetemplatelistitem.h"

SizeTemplateListItem::SizeTemplateListItem(const SizeTemplate &st, QListWidget *list)
    : QListWidgetItem(textFor(st), list, Type), stock(st)
{
}

QString SizeTemplateListItem::textFor(const SizeTemplate &st)
{
    return st.description() + QStringLiteral(" (") + st.itemNo() + QLatin1Char(')');
}
