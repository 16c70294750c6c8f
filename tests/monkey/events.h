#pragma once
// One player's event on the window model, picked by two bytes: a click on a control that is shown
// (and enabled), a tick of a running timer, a pick from the menu, an answer to the restart
// prompt, a selection a list box allows, a new name, a resize. Nothing a real window could not
// deliver is sent, so every broken rule found this way is one a player could meet.
#include <cstdint>
#include <string>

#include "app/Frm.h"
#include "support/fakes.h"

namespace porukami::monkey {

// Runs the event; returns what was done ("" when the picked control was not there to use).
std::string PlayEvent(Frm& frm, testing::FakeHost& host, std::uint8_t what, std::uint8_t how);

// A window height (twips) from tiny to far beyond any screen.
double HeightFor(std::uint8_t how);

}  // namespace porukami::monkey
