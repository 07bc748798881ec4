// The picture makers: each writes its files into a folder of resources/.
#pragma once

#include <QColor>
#include <QPainter>
#include <QString>

namespace mk {

// Fur round the eyes of the start-up window; the lids of the eye pictures have the same colour.
inline const QColor kEyeFur{59, 46, 42};

bool makeIcons(const QString& imagesDir);
bool makeDiagrams(const QString& imagesDir);
bool makeWorldMap(const QString& imagesDir);
bool makePhotos(const QString& photosDir);

// The open eyes, 66 x 15, with their top left at `topLeft`.
void drawEyesInto(QPainter& p, QPointF topLeft);

}  // namespace mk
