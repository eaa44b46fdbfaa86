#pragma once

#include "sizetemplate.h"

#include <QListWidgetItem>

// One stock template in the template list, holding its own copy of it.
class SizeTemplateListItem : public QListWidgetItem
{
public:
    enum
    {
        Type = 1102
    };

    explicit SizeTemplateListItem(const SizeTemplate &st, QListWidget *list = nullptr);

    SizeTemplate sizeTemplate() const { return stock; }

    // The list text of a template: its description with the article number.
    static QString textFor(const SizeTemplate &st);

private:
    SizeTemplate stock;
};
