#pragma once

#include <QPixmap>

// The launcher's three pictures, drawn at start-up so no image files ship.
QPixmap mirrorArtwork();
QPixmap lensArtwork();
QPixmap kitArtwork();
