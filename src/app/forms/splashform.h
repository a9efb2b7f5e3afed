// The splash window shown while the program starts; it closes itself after three seconds.
#pragma once

#include <QDialog>

namespace velmora {

class TSplashform : public QDialog {
    Q_OBJECT
  public:
    explicit TSplashform(QWidget* parent = nullptr);
    static constexpr int kLifetimeMs = 3000;
};

}  // namespace velmora
