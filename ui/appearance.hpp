#pragma once
// The program's look, the same on every desktop: Qt's Fusion style and a Japanese gothic font
// of nine points, the size the window's layout is drawn for.

class QApplication;

namespace toluvek {

void ApplyAppearance(QApplication& app);

}  // namespace toluvek
