#include "diary/target_rules.h"

#include <cstdio>

bool TargetWeightAccepted(double kg) { return kg >= 10.0 && kg <= 200.0; }

bool TargetBodyFatAccepted(double percent) { return percent >= 1.0 && percent <= 50.0; }

std::string NormalWeightLine(double heightCm) {
    double square = heightCm * heightCm;
    double ideal = square * 22 / 10000;
    double lower = square * 18.5 / 10000;
    double upper = square * 24.99 / 10000;
    char upperText[64];
    std::snprintf(upperText, sizeof(upperText), "%6.2lf", upper);
    upperText[5] = '\0';  // 63.97 reads " 63.9", 102.45 reads "102.4"
    char line[160];
    std::snprintf(line, sizeof(line), "BMI22の普通体重は、%.1lfkg(%.1lfkg～%skg)です。", ideal, lower, upperText);
    return line;
}
