#include "app/forms/windowplaces.h"

#include <QEvent>
#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

#include "app/forms/programsettings.h"

namespace velmora {
namespace {

qint64 Area(const QRect& rect) {
    return rect.isEmpty() ? 0 : qint64{rect.width()} * rect.height();
}

qint64 SquaredDistance(const QPoint& a, const QPoint& b) {
    const qint64 dx = a.x() - b.x();
    const qint64 dy = a.y() - b.y();
    return dx * dx + dy * dy;
}

// The free areas of the screens there are now, the primary one first.
QList<QRect> FreeScreenAreas() {
    QList<QRect> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr)
        areas.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            areas.append(screen->availableGeometry());
    return areas;
}

bool FixedSize(const QWidget& window) {
    return window.minimumSize() == window.maximumSize();
}

}  // namespace

QRect PlaceOnScreens(const QRect& window, const QList<QRect>& screens, bool resizable) {
    if (screens.isEmpty() || window.isEmpty())
        return window;
    // Across two screens side by side is on the screens, too.
    QRegion free;
    for (const QRect& screen : screens)
        free += screen;
    if (QRegion(window).subtracted(free).isEmpty())
        return window;

    qsizetype best = 0;
    qint64 bestOverlap = 0;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const qint64 overlap = Area(screens[i].intersected(window));
        if (overlap > bestOverlap) {
            best = i;
            bestOverlap = overlap;
        }
    }
    if (bestOverlap == 0) {
        qint64 nearest = std::numeric_limits<qint64>::max();
        for (qsizetype i = 0; i < screens.size(); ++i) {
            const qint64 distance = SquaredDistance(screens[i].center(), window.center());
            if (distance < nearest) {
                best = i;
                nearest = distance;
            }
        }
    }

    const QRect& screen = screens[best];
    QRect placed = window;
    if (resizable)
        placed.setSize(placed.size().boundedTo(screen.size()));
    // A window larger than the screen shows its top left corner, where its title is.
    const int x = std::max(
        screen.left(), std::min(placed.left(), screen.left() + screen.width() - placed.width()));
    const int y = std::max(
        screen.top(), std::min(placed.top(), screen.top() + screen.height() - placed.height()));
    placed.moveTo(x, y);
    return placed;
}

WindowPlaces::WindowPlaces(QObject* parent) : QObject(parent) {}

QString WindowPlaces::NameOf(const QWidget& window) {
    return window.objectName().isEmpty() ? QString(window.metaObject()->className())
                                         : window.objectName();
}

void WindowPlaces::Track(QWidget* window) {
    if (window == nullptr)
        return;
    windows_.emplace_back(window);
    window->installEventFilter(this);
}

void WindowPlaces::KeepAll() {
    for (const QPointer<QWidget>& window : windows_)
        if (window != nullptr && window->isVisible())
            Keep(*window);
}

bool WindowPlaces::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    if (window != nullptr && window->isWindow()) {
        // Before the window's own showing, so that its first frame is already in place.
        if (event->type() == QEvent::Show && !window->property(kPlaceRestored).isValid())
            Restore(*window);
        else if (event->type() == QEvent::Hide && !window->isMinimized())
            Keep(*window);
    }
    return QObject::eventFilter(watched, event);
}

void WindowPlaces::Restore(QWidget& window) {
    const std::optional<WindowPlace> stored = StoredWindowPlace(NameOf(window));
    window.setProperty(kPlaceRestored, stored.has_value());
    if (!stored)
        return;
    const bool fixed = FixedSize(window);
    // The size the window can take: a stored size below its smallest would push it off.
    const QSize size = fixed ? window.size() : stored->rect.size().expandedTo(window.minimumSize());
    // The frame is placed whole, as far as it is known before the window shows.
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    const QRect placed =
        PlaceOnScreens(QRect(stored->rect.topLeft(), size + frame), FreeScreenAreas(), !fixed);
    window.resize(placed.size() - frame);
    window.move(placed.topLeft());
    if (stored->maximized && !fixed)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

// The position is the frame's, as move() takes it, and the size the inside's, as resize()
// takes it: the frame is not known before a window shows, and the pair comes back unchanged
// whatever frame the desktop draws. A maximised window keeps the place it goes back to.
void WindowPlaces::Keep(const QWidget& window) {
    const bool maximized = window.isMaximized();
    const QPoint frame = window.geometry().topLeft() - window.pos();
    const QRect inside = maximized ? window.normalGeometry() : window.geometry();
    const QRect rect(inside.topLeft() - frame, inside.size());
    if (rect.isValid())
        StoreWindowPlace(NameOf(window), {rect, maximized});
}

}  // namespace velmora
