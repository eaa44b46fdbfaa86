#pragma once

#include "dialogs/basepage.h"

class QComboBox;

// The interface language, used from the next start.
class InterfacePage : public BasePage
{
    Q_OBJECT
public:
    explicit InterfacePage(QWidget *parent = nullptr);
    void saveSettings() override;
    void loadSettings() override;

private:
    QComboBox *languageCombo = nullptr;
};
