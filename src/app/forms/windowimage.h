// Window images and printer output shared by the windows.
#pragma once

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

namespace velmora {

class UiPorts;

// Saves the image of a window as a BMP file in the working directory (double-click).
bool SaveWindowImage(QWidget* window, const QString& fileName);
// The same on the user's double-click, telling him when the file could not be written.
void SaveWindowImage(QWidget* window, const QString& fileName, UiPorts& ports);

// The default printer, ready for a document. Without an installed printer the user is told
// so and may choose a PDF file instead; nothing (null) when he does not.
std::unique_ptr<QPrinter> OpenPrinter(QWidget* parent, const QString& pdfName, UiPorts& ports);

inline constexpr const char* kNoPrinterQuestion =
    "Es ist kein Drucker eingerichtet. Soll die Ausgabe stattdessen als PDF-Datei "
    "gespeichert werden?";

}  // namespace velmora
