#include "app/edge_state.h"

namespace {

bool g_edge_hidden = false;
int g_edge_hide_pos[2] = {0, 0};

}  // namespace

bool edge_hidden() { return g_edge_hidden; }
int edge_hide_left() { return g_edge_hide_pos[0]; }
int edge_hide_top() { return g_edge_hide_pos[1]; }

void note_edge_hidden(int left, int top) {
  g_edge_hide_pos[0] = left;
  g_edge_hide_pos[1] = top;
  g_edge_hidden = true;
}

void note_edge_shown() { g_edge_hidden = false; }

void reset_edge_state() {
  g_edge_hidden = false;
  g_edge_hide_pos[0] = g_edge_hide_pos[1] = 0;
}
