#pragma once

class QMdiArea;

// The arrangements of a frame window's child windows.
enum class MdiArrangement {
    Cascade = 0,
    TileHorizontal = 1, // one above the other, each as wide as the area
    TileVertical = 2,   // side by side, each as tall as the area
    ArrangeIcons = 3,   // minimised windows in rows along the bottom
};

// Does nothing when the area has no child window to arrange.
void Arrange(QMdiArea &area, MdiArrangement arrangement);
