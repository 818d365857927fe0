// What counts as a change, and the question asked when the window closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "tests/assistant/assistant_fixture.h"

namespace {

using CloseTest = AssistantTest;

constexpr char kQuestion[] = "相关设置已被更改过,是否要保存?";
constexpr UINT kQuestionBox = MB_YESNO | MB_ICONQUESTION;

const std::string kFile = "[Common]\r\nInstalledVersion=1.0\r\nAutoUpdate=0\r\nInternetUpdate=1\r\n"
                          "RunServices=svc\r\n[ServerList]\r\nServerCount=0\r\n";

TEST_F(CloseTest, FlagsAndTheUpdateModeAloneCloseWithoutAQuestion) {
  WriteIni(kFile);
  auto form = StartAssistant();
  ClickButton(form->ckAutoUpdate);
  EXPECT_TRUE(form->ckAutoUpdate.Checked());
  ClickButton(form->rbIntranet);
  EXPECT_TRUE(form->rbIntranet.Checked());
  EXPECT_FALSE(form->rbInternet.Checked());
  EXPECT_TRUE(form->CloseQuery());
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(ReadIni(), kFile);
}

// Every text field counts, the service names included; a text put in by the program does not.
TEST_F(CloseTest, AnEditedTextFieldAsksOnClose) {
  WriteIni(kFile);
  auto probe = StartAssistant();
  std::vector<ui::Edit*> fields;
  for (auto [control, hint] : probe->FieldHints()) {
    if (auto* edit = dynamic_cast<ui::Edit*>(control)) fields.push_back(edit);
  }
  ASSERT_EQ(fields.size(), 17u);
  probe.reset();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    SCOPED_TRACE(i);
    SetUp();
    WriteIni(kFile);
    auto form = StartAssistant();
    std::vector<ui::Edit*> mine;
    for (auto [control, hint] : form->FieldHints()) {
      if (auto* edit = dynamic_cast<ui::Edit*>(control)) mine.push_back(edit);
    }
    mine[i]->SetText("set by the program");
    EXPECT_TRUE(form->CloseQuery());
    EXPECT_TRUE(Boxes().empty());
    TypeInto(*mine[i], mine[i]->Text());  // typing the same text again is still an edit
    Answer(IDNO);
    EXPECT_TRUE(form->CloseQuery());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kQuestion);
    EXPECT_EQ(Boxes()[0].caption, kTitle);
    EXPECT_EQ(Boxes()[0].flags, kQuestionBox);
    EXPECT_EQ(Boxes()[0].owner, form->Handle());
    EXPECT_EQ(ReadIni(), kFile);  // No closes without saving
    form.reset();
    TearDown();
  }
}

// The edit marks are never cleared: after a successful save, closing asks again.
TEST_F(CloseTest, SavingWithTheButtonAfterAnEditStillAsksOnClose) {
  WriteIni(kFile);
  auto form = StartAssistant();
  TypeInto(form->edVersion, "1.1");
  ClickButton(form->cbSave);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, kSavedMessage);
  EXPECT_FALSE(form->SettingsChanged);
  EXPECT_EQ(IniValue("Common", "InstalledVersion"), "1.1");

  Answer(IDYES);
  EXPECT_TRUE(form->CloseQuery());
  ASSERT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(Boxes()[1].text, kQuestion);
  EXPECT_EQ(Boxes()[2].text, kSavedMessage);
}

TEST_F(CloseTest, YesWithAnInvalidHoursTextKeepsTheWindowOpen) {
  WriteIni(kFile);
  auto form = StartAssistant();
  TypeInto(form->edTimerHours, "");
  Answer(IDYES);
  EXPECT_FALSE(form->CloseQuery());
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, kQuestion);
  EXPECT_EQ(Boxes()[1].text, "升级间隔(小时)必须是整数,请修改后再试!");
  EXPECT_EQ(ReadIni(), kFile);
  EXPECT_TRUE(form->SettingsChanged);

  // Corrected, Yes saves and lets the window close.
  TypeInto(form->edTimerHours, "6");
  Answer(IDYES);
  EXPECT_TRUE(form->CloseQuery());
  EXPECT_EQ(IniValue("Common", "TimerCheckHours"), "6");
}

TEST_F(CloseTest, ARefusedServerListKeepsTheWindowOpen) {
  WriteIni(kFile);
  auto form = StartAssistant();
  ClickButton(form->cbNew);
  form->sgServer.SetCell(0, form->sgServer.RowCount() - 1, "x");
  form->sgServer.SetCell(1, form->sgServer.RowCount() - 1, "127.0.0.1");
  Answer(IDYES);
  EXPECT_FALSE(form->CloseQuery());
  Answer(IDNO);
  EXPECT_TRUE(form->CloseQuery());
}

TEST_F(CloseTest, TheCloseButtonEndsTheProgramOnlyWhenAllowed) {
  WriteIni(kFile);
  auto form = StartAssistant();
  ui::Application& app = ui::Application::Instance();
  TypeInto(form->edtCaption, "new");
  TypeInto(form->edTimerHours, "x");
  Answer(IDYES);
  ClickButton(form->cbClose);
  EXPECT_FALSE(app.Terminated());
  Answer(IDNO);
  ClickButton(form->cbClose);
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(ReadIni(), kFile);
}

}  // namespace
