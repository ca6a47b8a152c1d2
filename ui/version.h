// The add-on's version: the one place it is written. The page's title shows it, the
// front end reports it, and the build reads it from here for the packages' names.
#pragma once

// A macro, so that the title can be one string literal.
#define KALVO_VERSION "1.20"
