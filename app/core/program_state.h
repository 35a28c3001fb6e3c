// Avigram's program-wide state: one instance, shared by the main window and the flock window.
//
// Arrays keep the fixed bounds the procedures index with; every procedure that takes an index from
// data (ages, class numbers, flock numbers) limits it before it reaches an array.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace avigram {

inline constexpr int kSexes = 3;           // 0 mixed, 1 males, 2 females
inline constexpr int kCarcassColumns = 31; // column 0..30
inline constexpr int kCarcassRows = 41;    // row = age - 20, 0..40
inline constexpr int kStoredRows = 31;     // rows 0..30 are filled from the file
inline constexpr int kMaxFlocks = 10;      // flocks 1..10
inline constexpr int kMaxClasses = 20;     // ClassCount 1..20
inline constexpr int kClassBounds = 22;    // ClassBound 0..21
inline constexpr int kClassSlots = 23;     // ClassBirds class 0..22
inline constexpr int kNormalTailSize = 87; // NormalTail 0..86
inline constexpr int kPartClasses = 31;    // PartWeight class 0..30
inline constexpr int kPartColumns = 41;    // PartWeight part column 0..40
inline constexpr int kListEntries = 16;    // FillLIst entries 0..15

enum class Sex : int16_t { Mixed = 0, Males = 1, Females = 2 };

template <class T, std::size_t A, std::size_t B> using Array2 = std::array<std::array<T, B>, A>;
template <class T, std::size_t A, std::size_t B, std::size_t C>
using Array3 = std::array<std::array<std::array<T, C>, B>, A>;

struct ProgramState {
    // Reference data and its fitted lines.
    Array3<double, kSexes, kCarcassColumns, kCarcassRows> CarcassTable{};
    std::array<std::string, 31> PartNames{};
    std::array<std::string, 3> SexNames{};
    int16_t SexMask = 0;
    int16_t DisplayUnits = 0;
    Array2<double, kSexes, kCarcassColumns> Slope{};
    Array2<double, kSexes, 29> Intercept{};

    // Distribution settings.
    double FlockCV = 0.1;
    double ClassWidth = 0;
    int16_t ClassCount = 0;
    std::array<double, kClassBounds> ClassBound{};

    bool LocaleUsesComma = false;
    int16_t MaxAge = 80;

    // Files.
    std::string ProgramFolder;
    std::string CarcassFolder;
    std::string CarcassPrefix;
    std::string FlockFilePath;
    std::string PartsFilePath;

    bool FileNameGiven = false;
    bool LoadError = false;
    bool CarcassLoaded = false;
    bool FlocksEntered = false;

    // Flocks, index 1..10.
    int16_t FlockCount = 0;
    // Flocks 1..FlocksAccepted passed the sex check of the last ReadFlockData; later ones are not
    // used by the distribution, its report or the tonnages.
    int16_t FlocksAccepted = 0;
    std::array<std::string, kMaxFlocks + 1> FlockIds{};
    std::array<int32_t, kMaxFlocks + 1> FlockBirds{};
    Array2<double, kSexes, kMaxFlocks + 1> FlockWeight{};
    std::array<int16_t, kMaxFlocks + 1> FlockSexIndex{};
    std::array<double, kMaxFlocks + 1> FlockAge{};

    // Distribution and parts analysis.
    Array3<int32_t, kSexes, kMaxFlocks + 1, kClassSlots> ClassBirds{};
    std::array<double, kNormalTailSize> NormalTail{};
    Array3<double, kSexes, kPartClasses, kPartColumns> PartWeight{};
    std::array<int16_t, kListEntries> PartColumnList{};
    std::array<int16_t, kListEntries> GridColumnList{};
    bool PartsAnalysisDone = false;
    // T of each listed part column after the last parts analysis (carcass table units; part column
    // 4 holds the breast meat: Large plus Small Pectoral), for the tonnages shown and charted.
    std::array<double, kPartColumns> PartTotals{};
    // Grid1 cells (row, column) the last parts analysis wrote beside the flock columns (block
    // captions, tonnages, parts list), so that a later run can clear what it leaves over.
    std::vector<std::pair<int, int>> LastBlockCells;

    // The number of flocks the distribution works with.
    int UsedFlockCount() const;
};

// The program's one instance.
ProgramState& TheState();

// Fills SexNames and the other start values of a fresh program run.
void ResetForStart(ProgramState& state);

} // namespace avigram
