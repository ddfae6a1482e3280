#pragma once

// The file row that holds stored row `index` of an interlaced frame of the given height: the
// rows are stored in four passes, every 8th row from 0, every 8th from 4, every 4th from 2, and
// every 2nd from 1. -1 when index is not below height.
constexpr int interlacedRow(int index, int height)
{
    constexpr int start[4] = {0, 4, 2, 1};
    constexpr int step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows = start[pass] < height ? (height - start[pass] + step[pass] - 1) / step[pass] : 0;
        if (index < rows)
            return start[pass] + index * step[pass];
        index -= rows;
    }
    return -1;
}
