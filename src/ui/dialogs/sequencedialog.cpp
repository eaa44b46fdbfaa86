#include "sequencedialog.h"

#include "datasourcemanager.h"
#include "services.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>

namespace {

// How many values the preview lists before it trails off.
constexpr int PreviewValues = 5;

// Reads a number entry; false when it holds no complete number yet ("" or "-").
bool readNumber(const QLineEdit *edit, qint64 *number)
{
    bool ok = false;
    const qint64 n = edit->text().toLongLong(&ok);
    if (ok)
        *number = n;
    return ok;
}

} // namespace

SequenceDialog::SequenceDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog/sequence"));
    setWindowTitle(tr("Add sequence"));

    nameEdit = new QLineEdit(tr("Serial numbers"), this);
    nameEdit->setObjectName(QStringLiteral("name"));

    // Twelve digits are more than a spin box can hold, hence line edits; the
    // validator lets "" and "-" through while typing, problem() refuses them.
    auto *numberValidator =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{1,12}")), this);
    firstEdit = new QLineEdit(QStringLiteral("1"), this);
    firstEdit->setObjectName(QStringLiteral("first"));
    lastEdit = new QLineEdit(QStringLiteral("100"), this);
    lastEdit->setObjectName(QStringLiteral("last"));
    stepEdit = new QLineEdit(QStringLiteral("1"), this);
    stepEdit->setObjectName(QStringLiteral("step"));
    for (QLineEdit *edit : {firstEdit, lastEdit, stepEdit})
        edit->setValidator(numberValidator);

    paddingSpin = new QSpinBox(this);
    paddingSpin->setObjectName(QStringLiteral("padding"));
    paddingSpin->setRange(0, 18);
    paddingSpin->setSuffix(tr(" digits"));

    prefixEdit = new QLineEdit(this);
    prefixEdit->setObjectName(QStringLiteral("prefix"));
    suffixEdit = new QLineEdit(this);
    suffixEdit->setObjectName(QStringLiteral("suffix"));

    preview = new QLabel(this);
    preview->setObjectName(QStringLiteral("preview"));
    preview->setWordWrap(true);
    // Prefix and suffix are the user's text, not markup.
    preview->setTextFormat(Qt::PlainText);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(tr("Name:"), nameEdit);
    form->addRow(tr("First number:"), firstEdit);
    form->addRow(tr("Last number:"), lastEdit);
    form->addRow(tr("Step:"), stepEdit);
    form->addRow(tr("Zero padding:"), paddingSpin);
    form->addRow(tr("Prefix:"), prefixEdit);
    form->addRow(tr("Suffix:"), suffixEdit);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(preview);
    layout->addWidget(buttons);

    for (QLineEdit *edit : {nameEdit, firstEdit, lastEdit, stepEdit, prefixEdit, suffixEdit})
        connect(edit, &QLineEdit::textChanged, this, &SequenceDialog::updatePreview);
    connect(paddingSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &SequenceDialog::updatePreview);

    updatePreview();
}

sequence::Spec SequenceDialog::spec() const
{
    sequence::Spec s;
    readNumber(firstEdit, &s.first);
    readNumber(lastEdit, &s.last);
    readNumber(stepEdit, &s.step);
    s.padding = paddingSpin->value();
    s.prefix = prefixEdit->text();
    s.suffix = suffixEdit->text();
    return s;
}

QString SequenceDialog::name() const
{
    return nameEdit->text().trimmed();
}

QString SequenceDialog::problem() const
{
    const QString sourceName = name();
    if (sourceName.isEmpty())
        return tr("The sequence needs a name.");
    DataSourceManager *manager = services::dataSourceManager();
    if (manager && manager->findByName(sourceName))
        return tr("A data source of this name exists already.");

    qint64 unused = 0;
    if (!readNumber(firstEdit, &unused) || !readNumber(lastEdit, &unused)
        || !readNumber(stepEdit, &unused))
        return tr("First number, last number and step each need a whole number.");
    return sequence::check(spec());
}

void SequenceDialog::updatePreview()
{
    const QString message = problem();
    if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
        ok->setEnabled(message.isEmpty());
    if (!message.isEmpty()) {
        preview->setText(message);
        return;
    }

    const sequence::Spec s = spec();
    const qint64 total = sequence::count(s);
    QStringList values;
    for (qint64 i = 0; i < qMin<qint64>(total, PreviewValues); ++i)
        values << sequence::value(s, i);
    QString text = values.join(QStringLiteral(", "));
    if (total > PreviewValues)
        text += QStringLiteral(", …");
    text += QLatin1Char('\n');
    text += total == 1 ? tr("1 value") : tr("%1 values").arg(QLocale().toString(total));
    preview->setText(text);
}
