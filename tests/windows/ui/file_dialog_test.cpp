// The name a save really writes follows the file type chosen in the dialog.
#include <gtest/gtest.h>

#include "windows/ui/file_dialog_service.h"

namespace strevo {
namespace {

TEST(NameOfChosenType, AForeignOrMissingSuffixGetsTheChosenType) {
  CommonDialogSettings picture;
  picture.filter = QStringLiteral("PNG-Bilder (*.png)|*.png|SVG-Grafiken (*.svg)|*.svg");
  EXPECT_EQ(NameOfChosenType("/d/bild", picture), "/d/bild.png") << "the first type by default";
  picture.filterIndex = 2;
  EXPECT_EQ(NameOfChosenType("/d/bild", picture), "/d/bild.svg");
  EXPECT_EQ(NameOfChosenType("/d/bild.jpg", picture), "/d/bild.jpg.svg");
  EXPECT_EQ(NameOfChosenType("/d/bild.PNG", picture), "/d/bild.PNG") << "a type of the filter";
  EXPECT_EQ(NameOfChosenType("/d.x/bild", picture), "/d.x/bild.svg") << "the folder's dot";
  picture.filterIndex = 7;
  EXPECT_EQ(NameOfChosenType("/d/bild", picture), "/d/bild.png") << "an unknown choice";
}

QString PictureFilter() {
  return QStringLiteral("PNG-Bilder (*.png)|*.png|SVG-Grafiken (*.svg)|*.svg");
}

TEST(FilterIndexOf, EveryFormADialogReportsNamesItsType) {
  for (const char* selected : {"SVG-Grafiken (*.svg)", "SVG-Grafiken", "*.svg", " SVG-Grafiken "}) {
    EXPECT_EQ(FilterIndexOf(PictureFilter(), QString::fromUtf8(selected)), 2) << selected;
  }
  EXPECT_EQ(FilterIndexOf(PictureFilter(), "PNG-Bilder (*.png)"), 1);
  EXPECT_EQ(FilterIndexOf(QStringLiteral("Bilder|*.png"), "Bilder (*.png)"), 1) << "built form";
  EXPECT_EQ(FilterIndexOf(PictureFilter(), "JPEG (*.jpg)"), 0);
  EXPECT_EQ(FilterIndexOf(PictureFilter(), ""), 0);
}

}  // namespace
}  // namespace strevo
