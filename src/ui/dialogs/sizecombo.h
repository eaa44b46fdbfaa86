#pragma once

#include <QComboBox>

// Editable point-size box. Typing alone changes nothing; the keypad Enter key
// reports the typed size, while Return is left to the combo box.
class SizeCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit SizeCombo(QWidget *parent = nullptr);

signals:
    void enterKeyPressed(QString size);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
