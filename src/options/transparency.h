#pragma once
// The opacity of the program's windows, set by the slider 多功能条_透明度 of the options window
// (0..100 gives alpha 155..255). Open windows take it at once; windows shown later fade in to
// it (options().window_alpha).

// The slider moved.
void apply_window_transparency();
// The alpha a slider position gives, and the position that shows an alpha.
int alpha_of_slider(int position);
int slider_of_alpha(int alpha);
