#pragma once

#include "dataset.h"

// The size of a synthetic database.
struct SyntheticSize
{
    int countries = 40;
    int competitions = 200; // spread evenly over the countries; every one a league
    int teams = 4000;       // spread evenly over the competitions, which keep them every season
    int seasons = 25;       // per competition, one a year from 2001
    int results = 1000000;  // spread evenly over the seasons, round by round
    quint32 seed = 1;
};

// A made-up database of the given size with realistic scores, the same for the same size
// and seed on every machine.
Dataset syntheticDataset(const SyntheticSize& size);
