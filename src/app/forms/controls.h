// Builders for the windows' controls, each placed and named so that tests find it by name.
#pragma once

#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

namespace velmora {

// A button at a fixed place. It never becomes a dialog's default button: Enter belongs to the
// fields the user types in.
QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption, QRect where);

}  // namespace velmora
