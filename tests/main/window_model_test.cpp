// The window-model base: option buttons as state, several observers, lifecycle requests.

#include "main/window_model.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toluvek {
namespace {

class Model : public WindowModel {
 public:
  using WindowModel::Request;
};

TEST(WindowModel, CheckOneChoosesAnOptionAndClearsTheRestOfItsFrame) {
  Model model;
  constexpr std::array<std::string_view, 3> kFrame = {"Option1", "Option2", "Option3"};
  model.CheckOne(kFrame, "Option1");
  model.SetChecked("Option9", true);  // another frame
  model.CheckOne(kFrame, "Option3");
  EXPECT_FALSE(model.Checked("Option1"));
  EXPECT_FALSE(model.Checked("Option2"));
  EXPECT_TRUE(model.Checked("Option3"));
  EXPECT_TRUE(model.Checked("Option9"));
}

TEST(WindowModel, EveryObserverSeesEachChangeUntilItIsRemoved) {
  Model model;
  std::vector<std::string> first, second;
  const int a = model.AddObserver([&](std::string_view c) { first.emplace_back(c); });
  int b = 0;
  b = model.AddObserver([&](std::string_view c) {
    second.emplace_back(c);
    model.RemoveObserver(b);  // an observer may leave while it is being told
  });
  model.SetText("Text1", "1");
  model.SetChecked("Option1", true);
  model.SetChecked("Option1", true);  // no change, no notice
  EXPECT_EQ(first, (std::vector<std::string>{"Text1", "Option1"}));
  EXPECT_EQ(second, (std::vector<std::string>{"Text1"}));
  model.RemoveObserver(a);
  EXPECT_FALSE(model.observed());
}

TEST(WindowModel, RequestsReachTheirObserversOnly) {
  Model model;
  std::vector<WindowRequest> requests;
  int changes = 0;
  model.AddObserver([&](std::string_view) { ++changes; });
  model.AddRequestObserver([&](WindowRequest r) { requests.push_back(r); });
  model.Request(WindowRequest::kHide);
  model.Request(WindowRequest::kUnload);
  EXPECT_EQ(requests, (std::vector<WindowRequest>{WindowRequest::kHide, WindowRequest::kUnload}));
  EXPECT_EQ(changes, 0);
}

}  // namespace
}  // namespace toluvek
