// Prints the default design: the twelve inputs and the sixteen results with their texts.
#include <iostream>

#include "design_report.h"

int main() {
    std::cout << veltrane::DescribeDefaultDesign();
    return 0;
}
