#pragma once

// The buttons of each bar, in order (left to right; top to bottom for the
// tools bar). The slot ids of the control bars are blank buttons that lie
// under the controls the bar hosts.

inline constexpr int CommandBarButtons[] = {
    32771, 32772, 32773, 32779, 32780, 32781, 32782, 32783, 32784, 32785, 32786, 32787, 32788,
    32789, 32790, 32791, 32813, 32814, 32792, 32794, 32795, 32793, 32815, 32816, 32776,
};

inline constexpr int ToolsBarButtons[] = {
    32778, 32777, 32798, 32799, 32800, 32801, 32802, 32803, 32804, 32805, 32806, 32807, 32808, 32809,
};

inline constexpr int PropertyBarButtons[] = {
    32846, 32817, 32818, 32819, 32820, 32821, 32822, 32876, 32877, 32878, 32879, 32880,
};

inline constexpr int TextBarButtons[] = {32835, 32834, 32836, 32837, 32838};

inline constexpr int EditToolsBarButtons[] = {
    32855, 32856, 32857, 32858, 32859, 32860, 32861, 32862, 32882,
};

inline constexpr int GradientBarButtons[] = {32865, 32866, 32864, 32867};
