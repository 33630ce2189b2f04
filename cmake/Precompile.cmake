# Precompiled headers: the test framework's and Qt's headers take most of a test's or a
# window's compile time; each target parses them once.
set(STREVO_STD_PCH <algorithm> <cmath> <string> <vector>)
set(STREVO_QT_PCH <QAction> <QComboBox> <QFile> <QLabel> <QLineEdit> <QPainter> <QPushButton>
                  <QString> <QTableWidget> <QWidget> ${STREVO_STD_PCH})
set(STREVO_TEST_PCH <gtest/gtest.h> ${STREVO_STD_PCH})
set(STREVO_QT_TEST_PCH <QTest> <gtest/gtest.h> ${STREVO_QT_PCH})
