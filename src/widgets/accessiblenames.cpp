#include "accessiblenames.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void NameBox(QComboBox *box, const QString &name)
{
    box->setAccessibleName(name);
    if (QLineEdit *line = box->lineEdit())
        line->setAccessibleName(name);
}

void NameByLabel(QWidget *control, QLabel *label)
{
    label->setBuddy(control);
    const QString name = label->text().remove(u'&');
    if (auto *box = qobject_cast<QComboBox *>(control))
        NameBox(box, name);
    else
        control->setAccessibleName(name);
}
