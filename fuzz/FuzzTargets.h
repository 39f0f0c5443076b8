#pragma once
#include <cstddef>
#include <cstdint>

// Each target takes arbitrary bytes and must neither crash nor misbehave on them.
using FuzzTarget = int (*)(const uint8_t *data, size_t size);

struct FuzzEntry {
    const char *name;
    FuzzTarget run;
};

int fuzzRecords(const uint8_t *data, size_t size);
int fuzzDates(const uint8_t *data, size_t size);
int fuzzAmounts(const uint8_t *data, size_t size);
int fuzzPassword(const uint8_t *data, size_t size);
int fuzzChecks(const uint8_t *data, size_t size);
int fuzzIni(const uint8_t *data, size_t size);
int fuzzProjects(const uint8_t *data, size_t size);
int fuzzCards(const uint8_t *data, size_t size);
int fuzzEscaping(const uint8_t *data, size_t size);
int fuzzArguments(const uint8_t *data, size_t size);

inline constexpr FuzzEntry FuzzTargets[] = {
    {"records", &fuzzRecords}, {"dates", &fuzzDates}, {"amounts", &fuzzAmounts},
    {"password", &fuzzPassword}, {"checks", &fuzzChecks}, {"ini", &fuzzIni},
    {"projects", &fuzzProjects}, {"cards", &fuzzCards}, {"escaping", &fuzzEscaping},
    {"arguments", &fuzzArguments},
};
