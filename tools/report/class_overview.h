// The class at a glance, ahead of the per-pupil parts of the report: one row
// per pupil (games, tasks, share right, last grade, time, trend), the class's
// weakest task types by title, and (HTML) the share right per week for the
// class and for each pupil. Empty for fewer than two pupils.
#pragma once

#include "history.h"

#include <string>
#include <vector>

std::string classOverviewText(const std::vector<StoredGame>& games);
std::string classOverviewHtml(const std::vector<StoredGame>& games);
