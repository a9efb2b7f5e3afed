// Where the program's windows were in the last run: each comes back there when it is first
// shown, on a screen that is still there.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <vector>

class QWidget;

namespace velmora {

// A window's area placed on the screens' free areas (the primary screen first). An area that
// lies on the screens stays where it is; otherwise it moves onto the screen it overlaps most,
// or the nearest when it overlaps none, shrunk to that screen first when it is larger there
// and may be resized.
QRect PlaceOnScreens(const QRect& window, const QList<QRect>& screens, bool resizable);

// Set on a window whose place was taken from the last run, so that it does not place itself.
inline constexpr const char* kPlaceRestored = "velmoraPlaceRestored";

class WindowPlaces : public QObject {
  public:
    explicit WindowPlaces(QObject* parent = nullptr);

    // The window comes back at its last place when it is first shown, and its place is kept
    // whenever it is hidden. A window whose size is fixed keeps that size; only its position
    // is taken.
    void Track(QWidget* window);
    // The places of all shown windows, as the program ends.
    void KeepAll();

    // What a window's place is stored under.
    static QString NameOf(const QWidget& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Restore(QWidget& window);
    void Keep(const QWidget& window);

    std::vector<QPointer<QWidget>> windows_;
};

}  // namespace velmora
