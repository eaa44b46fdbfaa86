#pragma once

#include "sequence.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "Add sequence": the numbers, padding and affixes of serial numbers for a
// new internal data source, with a preview of the first values.
class SequenceDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SequenceDialog(QWidget *parent = nullptr);

    sequence::Spec spec() const;
    QString name() const;

private slots:
    void updatePreview();

private:
    // Why the entries cannot be used yet; empty when they can.
    QString problem() const;

    QLineEdit *nameEdit = nullptr;
    QLineEdit *firstEdit = nullptr;
    QLineEdit *lastEdit = nullptr;
    QLineEdit *stepEdit = nullptr;
    QSpinBox *paddingSpin = nullptr;
    QLineEdit *prefixEdit = nullptr;
    QLineEdit *suffixEdit = nullptr;
    QLabel *preview = nullptr;
    QDialogButtonBox *buttons = nullptr;
};
