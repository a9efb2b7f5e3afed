// "Schein justieren" under "Optionen": the offset kept in the program's settings, the test
// page, and the slips printed with the offset.
#include "app/forms/scheinjustierung.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include "app/forms/programsettings.h"
#include "support/guifixture.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::PaintedText;

class ScheinjustierungTest : public testing::ProgramTest {
  protected:
    // Other tests print slips at the nominal places.
    void TearDown() override {
        StoreSlipOffset({});
        ProgramTest::TearDown();
    }

    TScheinjustierung& Open() {
        Find<QAction>(Main(), "Scheinjustieren1")->trigger();
        auto* dialog = Main().findChild<TScheinjustierung*>("TScheinjustierung");
        EXPECT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        return *dialog;
    }
    QLineEdit* Field(TScheinjustierung& dialog, const char* name) {
        return Find<QLineEdit>(dialog, name);
    }
    void Type(TScheinjustierung& dialog, const char* right, const char* down) {
        Field(dialog, "VersatzRechts")->setText(QString::fromUtf8(right));
        Field(dialog, "VersatzUnten")->setText(QString::fromUtf8(down));
    }
    void Click(TScheinjustierung& dialog, const char* name) {
        Find<QPushButton>(dialog, name)->click();
    }
};

TEST_F(ScheinjustierungTest, OkKeepsTheOffsetAndCancelKeepsTheOldOne) {
    StoreSlipOffset({});
    TScheinjustierung& dialog = Open();
    EXPECT_EQ(Field(dialog, "VersatzRechts")->text(), "0,0");
    EXPECT_EQ(Field(dialog, "VersatzUnten")->text(), "0,0");
    Type(dialog, "1,5", "-2");
    Click(dialog, "OK");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(StoredSlipOffset(), (SlipOffset{15, -20}));

    Open();
    EXPECT_EQ(Field(dialog, "VersatzRechts")->text(), "1,5");
    EXPECT_EQ(Field(dialog, "VersatzUnten")->text(), "-2,0");
    Type(dialog, "7", "7");
    Click(dialog, "Abbrechen");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(StoredSlipOffset(), (SlipOffset{15, -20}));
    Open();  // what was typed and cancelled is not shown again
    EXPECT_EQ(Field(dialog, "VersatzRechts")->text(), "1,5");
    EXPECT_TRUE(ports_.messages.empty());
}

// A wrong entry names its field, keeps the window open and changes nothing; the same for the
// test page, which prints nothing then.
TEST_F(ScheinjustierungTest, AWrongEntryIsRefused) {
    StoreSlipOffset({5, 5});
    TScheinjustierung& dialog = Open();
    Type(dialog, "1,5", "25");
    Click(dialog, "OK");
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(ports_.messages[0].text.contains("senkrechte Versatz „25“"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(StoredSlipOffset(), (SlipOffset{5, 5}));

    Type(dialog, "zwei", "0");
    Click(dialog, "Testseite");
    ASSERT_EQ(ports_.messages.size(), 2u);
    EXPECT_TRUE(ports_.messages[1].text.contains("waagerechte Versatz „zwei“"));
    EXPECT_TRUE(ports_.jobs.empty());
}

// The test page prints with the offset as typed, even before OK, on the slips' page: one
// slip's field of R x N digits and four corner marks.
TEST_F(ScheinjustierungTest, TheTestPageGoesToThePrinter) {
    State().games = 13;
    State().rowsPerSlip = 8;
    TScheinjustierung& dialog = Open();
    Type(dialog, "-1,0", "0,5");
    Click(dialog, "Testseite");
    ASSERT_EQ(ports_.jobs.size(), 1u);
    ASSERT_EQ(ports_.jobs[0].size(), 1u);
    const std::vector<PaintedText>& texts = ports_.jobs[0][0].Texts();
    const SlipDocument expected = LayoutSlipTestPage(13, 8, {-10, 5});
    ASSERT_EQ(texts.size(), 8u * 13u + 4u);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].text.toStdString(), expected[i].text);
        EXPECT_NEAR(texts[i].topLeft.x(), expected[i].x, 0.5);
        EXPECT_NEAR(texts[i].topLeft.y(), -expected[i].y, 0.5);
    }
    EXPECT_NEAR(texts[0].topLeft.x(), 140, 0.5);
    EXPECT_NEAR(texts[0].topLeft.y(), 255, 0.5);
    EXPECT_EQ(StoredSlipOffset(), SlipOffset{});  // not kept without OK
}

// The slips of the system are printed with the kept offset.
TEST_F(ScheinjustierungTest, SlipsArePrintedWithTheOffset) {
    State().games = 11;
    State().rows = testing::RowsFromStrings({"11111111111", "22222222222"});
    StoreSlipOffset({15, -20});
    Find<QPushButton>(Main(), "Button3")->click();
    ASSERT_EQ(ports_.jobs.size(), 1u);
    const std::vector<PaintedText>& texts = ports_.jobs[0][0].Texts();
    ASSERT_EQ(texts.size(), 22u);
    EXPECT_NEAR(texts[0].topLeft.x(), 165, 0.5);  // 150 + 1.5 mm
    EXPECT_NEAR(texts[0].topLeft.y(), 230, 0.5);  // 250 - 2 mm, higher on the page
    EXPECT_NEAR(texts[11].topLeft.x(), 195, 0.5);
}

}  // namespace
}  // namespace velmora
