// The windows are designed in twips, 15 to a device-independent pixel; Qt
// scales pixels for high-DPI screens.
#ifndef VELK_FRONTENDS_QT_TWIPS_H_
#define VELK_FRONTENDS_QT_TWIPS_H_

#include <QRect>

namespace velk {

inline constexpr int kTwipsPerPixel = 15;

// A control's place and size given in twips.
constexpr QRect Twips(int left, int top, int width, int height) {
  return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
               height / kTwipsPerPixel);
}

}  // namespace velk

#endif  // VELK_FRONTENDS_QT_TWIPS_H_
