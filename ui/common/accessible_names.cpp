#include "ui/common/accessible_names.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace ui {

namespace {

// "&&" stands for a shown "&"; any other "&" marks the access key.
QString WithoutAccessKeyMark(const QString& caption) {
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        shown += caption[i];
    }
    return shown;
}

}  // namespace

QString NameFromCaption(const QString& caption) {
    QString name = caption.trimmed();
    if (name.endsWith(u'=')) name.chop(1);
    return name.trimmed();
}

void NameBox(QWidget* box, const QString& caption) {
    const QString name = NameFromCaption(caption);
    box->setAccessibleName(name);
    // An editable combo box's own line edit, where the typing goes, has no
    // label of its own.
    if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit()) {
        combo->lineEdit()->setAccessibleName(name);
    }
}

void LabelBox(QLabel* label, QWidget* box) {
    label->setBuddy(box);
    // On Linux a combo box is announced through its label alone.
    label->setAccessibleName(NameFromCaption(label->text()));
    NameBox(box, label->text());
}

void NameButton(QAbstractButton* button) {
    button->setAccessibleName(WithoutAccessKeyMark(button->text()).trimmed());
}

}  // namespace ui
