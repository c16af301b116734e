#include "ui/fonts.h"
#include "ui/text_fit.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

TEST(FitLabelToText, CountsBrokenAndWrappedLinesAsTheLabelShowsThem)
{
    QLabel label;
    label.setFont(textFont());
    label.resize(200, 10);
    const int line = label.fontMetrics().lineSpacing();
    const QString longText =
        u"Dabei werden unwiderruflich alle Einträge der Dateiliste entsprechend der "
        "aktuellen Anzeige umsortiert."_s;
    struct Case {
        QString text;
        int lines;
    };
    const std::vector<Case> cases{{u""_s, 1}, {u"Eins"_s, 1}, {u"Eins\n\nDrei"_s, 3}};
    for (const Case &c : cases) {
        EXPECT_EQ(fitLabelToText(&label, c.text), c.lines * line) << c.text.toStdString();
        EXPECT_EQ(label.height(), c.lines * line);
    }
    const int height = fitLabelToText(&label, longText);
    EXPECT_GT(height, 2 * line);
    EXPECT_EQ(height, label.heightForWidth(200)) << "as many lines as the label draws";
}

} // namespace
} // namespace namenswerk
