#pragma once
// Column checks of a term table: the sum and the row-weighted sum (row k counts k times, from
// 1) of every column, against figures computed from the published table text independently of
// the code under test. A lost, altered or reordered row changes at least one of them.
#include <gtest/gtest.h>

#include <cstddef>
#include <span>

struct ColumnCheck {
    double sum;
    double weightedSum;
};

template <typename Row, std::size_t Columns>
void expectColumnSums(std::span<const Row> rows, double (*column)(const Row&, int),
                      const ColumnCheck (&expected)[Columns]) {
    for (int c = 0; c < static_cast<int>(Columns); ++c) {
        double sum = 0.0;
        double weighted = 0.0;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            sum += column(rows[k], c);
            weighted += static_cast<double>(k + 1) * column(rows[k], c);
        }
        EXPECT_NEAR(sum, expected[c].sum, 1e-7) << "column " << c;
        EXPECT_NEAR(weighted, expected[c].weightedSum, 1e-7) << "column " << c;
    }
}
