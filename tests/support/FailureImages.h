#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

// The pictures a failed pixel check leaves for a person to look at, named
// alike by every widget test program: <suite>.<test>.<what>.actual.png and,
// when the check knows which pixels are wrong, <suite>.<test>.<what>.diff.png,
// both in the working directory (under CTest, the test program's build
// folder). The diff is the picture faded to grey with the wrong pixels in
// full red, so a single wrong pixel stands out. Returns the paths written,
// for the failure message.
QString SaveFailureImages(const QImage& actual, const char* what,
                          const std::vector<QPoint>& wrong = {});
