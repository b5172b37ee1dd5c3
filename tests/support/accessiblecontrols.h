#pragma once

#include <QAccessible>
#include <QStringList>
#include <QWidget>

// The controls a screen reader would find without a name in `window`, each as
// "role path", read through Qt's own accessibility interfaces as the AT-SPI
// bridge reads them. Hidden controls are left out, as they are not shown.
inline QStringList namelessControls(QWidget *window)
{
    static const QList<QAccessible::Role> controls = {
        QAccessible::PushButton,   QAccessible::CheckBox,       QAccessible::RadioButton,
        QAccessible::EditableText, QAccessible::ComboBox,       QAccessible::SpinBox,
        QAccessible::Slider,       QAccessible::ListItem,       QAccessible::Cell,
        QAccessible::TreeItem,     QAccessible::PageTab,        QAccessible::MenuItem,
        QAccessible::ButtonMenu,   QAccessible::ButtonDropDown, QAccessible::ButtonDropGrid};
    QStringList nameless;
    const auto walk = [&nameless](const auto &self, QAccessibleInterface *node,
                                  const QString &path) -> void {
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface *child = node->child(i);
            if (!child || !child->isValid() || child->state().invisible)
                continue;
            const QString childPath = path + QLatin1Char('/') +
                                      QString::number(int(child->role()), 16) + QLatin1Char(':') +
                                      child->text(QAccessible::Name);
            if (controls.contains(child->role()) &&
                child->text(QAccessible::Name).trimmed().isEmpty())
                nameless.append(childPath);
            self(self, child, childPath);
        }
    };
    if (QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window))
        walk(walk, root, window->metaObject()->className());
    return nameless;
}
