#pragma once
// The controls that the logic addresses, named as the windows name them. The list is an X-macro so that
// each target can turn a name into a string literal in its own character set: a UTF-8 target (the Qt
// layer) gets UTF-8 object names, a GBK target gets GBK bytes. No literal stands in this header.

#define ORNIVEX_CONTROLS(X)                                                                             \
  X(关键词编辑框)                                                                                       \
  X(一级结果框)                                                                                         \
  X(当前状态)                                                                                           \
  X(层次组合框)                                                                                         \
  X(延时组合框)                                                                                         \
  X(分类1)                                                                                              \
  X(分类2) X(分类3) X(分类4) X(分类5) X(分类6) X(分类7) X(分类8) X(分类9) X(分类10) X(分类11) X(分类12) \
      X(分类13) X(分类14) X(分类15) X(分类16) X(分类17) X(分类18) X(分类19) X(分类20) X(开始抓取)       \
          X(去除重复) X(结果提纯) X(软件配置) X(层次标签) X(延时标签) X(简单超文本框) X(配制编辑框)

enum class Control {
#define ORNIVEX_CONTROL_ENUMERATOR(name) name,
  ORNIVEX_CONTROLS(ORNIVEX_CONTROL_ENUMERATOR)
#undef ORNIVEX_CONTROL_ENUMERATOR
};

inline constexpr int kControlCount = 0
#define ORNIVEX_CONTROL_COUNT(name) +1
    ORNIVEX_CONTROLS(ORNIVEX_CONTROL_COUNT)
#undef ORNIVEX_CONTROL_COUNT
    ;

inline constexpr int kCategoryCount = 20;

// The radio button of category `number` (1 to 20).
inline Control CategoryButton(int number) {
  return static_cast<Control>(static_cast<int>(Control::分类1) + number - 1);
}

// 1 to 20 for a category button, 0 for every other control.
inline int CategoryNumber(Control control) {
  int offset = static_cast<int>(control) - static_cast<int>(Control::分类1);
  return offset >= 0 && offset < kCategoryCount ? offset + 1 : 0;
}
