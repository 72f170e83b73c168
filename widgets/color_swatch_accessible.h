#pragma once

// A colour swatch as a screen reader sees it: a button (it opens the colour chooser) whose press
// action clicks it. Installed once, by the first swatch made.
void InstallColorSwatchAccessibility();
