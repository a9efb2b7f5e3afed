#include "app/forms/controls.h"

#include <QPushButton>

namespace velmora {

QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption, QRect where) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setGeometry(where);
    return button;
}

}  // namespace velmora
