// SPDX-License-Identifier: GPL-3.0-or-later
// vesk-make-perturbations: the perturbation tables of Jupiter and Saturn of the sky view's
// planetary theory, fitted to the JPL DE431 ephemeris (Swiss Ephemeris files).
//
//   vesk-make-perturbations --ephe DIR --out sky/perturbation_tables.cpp
//
// The theory adds to the mean longitude, the perihelion and the eccentricity angle (and for
// Saturn the semi-major axis) a value interpolated bilinearly in a 37 x 37 table of two
// arguments, A1 and A2 (every 10 degrees, the last row and column repeating the first). For
// dates every 4 days from 1000 to 3000 the heliocentric longitude and radius of the theory
// without tables are compared with DE431 (geometric, mean equinox of date); the differences
// are linearised in the table entries (the derivatives are taken through the theory itself) and
// the 36 x 36 independent entries of every table are found by least squares, with a slight pull
// to zero for entries the data hardly see. Entries are whole numbers of 0.01 degree (0.001 AU).
// The tool then prints the geocentric longitude errors of all five planets with and without
// the tables.
#include "angles.h"
#include "sky_positions.h"
#include "timescales.h"

#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace vesk;

constexpr int nodes = 36; // independent rows and columns
constexpr double sampleDays = 4;
constexpr double regularisation = 1e-3;

double firstJd() {
    return calendarToJd(1000, 1, 1, 0, 0, 0);
}
double lastJd() {
    return calendarToJd(3000, 12, 31, 0, 0, 0);
}

double wrap180(double d) {
    d = std::fmod(d, 360.0);
    if (d > 180)
        d -= 360;
    if (d < -180)
        d += 360;
    return d;
}

void swissPlace(double jd, int body, int flags, double (&out)[6]) {
    char error[AS_MAXCH] = "";
    const int result =
        swe_calc(jd, body, SEFLG_SWIEPH | SEFLG_TRUEPOS | SEFLG_NONUT | flags, out, error);
    if (result < 0 || (result & SEFLG_SWIEPH) == 0)
        throw std::runtime_error(std::string("ephemeris: ") + error);
}

// The tables of one planet, in the order L, P, E (, A), as pointers into a table set.
std::vector<PerturbationTable*> tablesOf(int type, PerturbationTables& t) {
    if (type == jupiter)
        return {&t.jupiterL, &t.jupiterP, &t.jupiterE};
    return {&t.saturnL, &t.saturnP, &t.saturnE, &t.saturnA};
}

// Solves the symmetric positive definite system in place (Cholesky).
std::vector<double> solve(std::vector<double>& m, std::vector<double> b, int n) {
    for (int j = 0; j < n; ++j) {
        double d = m[j * n + j];
        for (int k = 0; k < j; ++k)
            d -= m[j * n + k] * m[j * n + k];
        if (d <= 0)
            throw std::runtime_error("normal equations not positive definite");
        d = std::sqrt(d);
        m[j * n + j] = d;
        for (int i = j + 1; i < n; ++i) {
            double s = m[i * n + j];
            for (int k = 0; k < j; ++k)
                s -= m[i * n + k] * m[j * n + k];
            m[i * n + j] = s / d;
        }
    }
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < i; ++k)
            b[i] -= m[i * n + k] * b[k];
        b[i] /= m[i * n + i];
    }
    for (int i = n - 1; i >= 0; --i) {
        for (int k = i + 1; k < n; ++k)
            b[i] -= m[k * n + i] * b[k];
        b[i] /= m[i * n + i];
    }
    return b;
}

void fitPlanet(int type, int swissBody, PerturbationTables& result) {
    const int tableCount = type == jupiter ? 3 : 4;
    const int n = tableCount * nodes * nodes;
    std::vector<double> normal(static_cast<std::size_t>(n) * n, 0.0), rhs(n, 0.0);
    // One unit of each table on its own, to differentiate the theory.
    std::vector<PerturbationTables> unit(tableCount);
    for (int x = 0; x < tableCount; ++x)
        for (auto& row : *tablesOf(type, unit[x])[x])
            row.fill(1);
    for (double jd = firstJd(); jd <= lastJd(); jd += sampleDays) {
        double truth[6];
        swissPlace(jd, swissBody, SEFLG_HELCTR, truth);
        const HeliocentricPlace base = heliocentricPlace(planetElements(type, jd, noPerturbations));
        const double residual[2] = {wrap180(truth[0] - base.longitude),
                                    (truth[2] - base.radius) / base.radius * radToDeg};
        double partial[4][2];
        for (int x = 0; x < tableCount; ++x) {
            const HeliocentricPlace moved = heliocentricPlace(planetElements(type, jd, unit[x]));
            partial[x][0] = wrap180(moved.longitude - base.longitude);
            partial[x][1] = (moved.radius - base.radius) / base.radius * radToDeg;
        }
        const auto [a1, a2] = perturbationArguments(jd);
        const int j = static_cast<int>(a1 / 10), k = static_cast<int>(a2 / 10);
        const double fj = a1 / 10 - j, fk = a2 / 10 - k;
        const int corner[4] = {
            (k % nodes) * nodes + j % nodes, (k % nodes) * nodes + (j + 1) % nodes,
            ((k + 1) % nodes) * nodes + j % nodes, ((k + 1) % nodes) * nodes + (j + 1) % nodes};
        const double weight[4] = {(1 - fk) * (1 - fj), (1 - fk) * fj, fk * (1 - fj), fk * fj};
        for (int c = 0; c < 2; ++c) {
            int index[16];
            double coefficient[16];
            int terms = 0;
            for (int x = 0; x < tableCount; ++x)
                for (int q = 0; q < 4; ++q) {
                    index[terms] = x * nodes * nodes + corner[q];
                    coefficient[terms++] = partial[x][c] * weight[q];
                }
            for (int p = 0; p < terms; ++p) {
                rhs[index[p]] += coefficient[p] * residual[c];
                for (int q = 0; q < terms; ++q)
                    normal[static_cast<std::size_t>(index[p]) * n + index[q]] +=
                        coefficient[p] * coefficient[q];
            }
        }
    }
    double trace = 0;
    for (int i = 0; i < n; ++i)
        trace += normal[static_cast<std::size_t>(i) * n + i];
    for (int i = 0; i < n; ++i)
        normal[static_cast<std::size_t>(i) * n + i] += regularisation * trace / n;
    const std::vector<double> x = solve(normal, rhs, n);
    const std::vector<PerturbationTable*> out = tablesOf(type, result);
    for (int t = 0; t < tableCount; ++t)
        for (int k = 0; k <= nodes; ++k)
            for (int j = 0; j <= nodes; ++j)
                (*out[t])[k][j] =
                    std::round(x[t * nodes * nodes + (k % nodes) * nodes + j % nodes]);
}

void printErrors(const PerturbationTables& tables, const char* label) {
    const int types[5] = {mercury, venus, mars, jupiter, saturn};
    const int bodies[5] = {SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN};
    const char* names[5] = {"Mercury", "Venus", "Mars", "Jupiter", "Saturn"};
    std::printf("geocentric longitude errors 1000-3000 %s (degrees):\n", label);
    for (int p = 0; p < 5; ++p) {
        double sum = 0, worst = 0;
        int count = 0;
        for (double jd = firstJd(); jd <= lastJd(); jd += 10, ++count) {
            double truth[6];
            swissPlace(jd, bodies[p], 0, truth);
            const double error = wrap180(planetPosition(types[p], jd, tables).longitude - truth[0]);
            sum += error * error;
            worst = std::max(worst, std::fabs(error));
        }
        std::printf("  %-8s rms %.3f  max %.3f\n", names[p], std::sqrt(sum / count), worst);
    }
}

void writeTables(const PerturbationTables& t, const std::string& path) {
    std::FILE* file = std::fopen((path + ".part").c_str(), "w");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + path);
    std::fprintf(file,
                 "// SPDX-License-Identifier: GPL-3.0-or-later\n"
                 "// Generated by vesk-make-perturbations: the perturbation tables of Jupiter and "
                 "Saturn\n// fitted to DE431 over 1000-3000 (0.01 degree; 0.001 AU for saturnA).\n"
                 "#include \"sky_positions.h\"\n\nnamespace vesk {\n\n// clang-format off\n"
                 "const PerturbationTables perturbationTables = {\n");
    const PerturbationTable* tables[7] = {&t.jupiterL, &t.jupiterP, &t.jupiterE, &t.saturnL,
                                          &t.saturnP,  &t.saturnE,  &t.saturnA};
    for (const PerturbationTable* table : tables) {
        std::fprintf(file, "    {{\n");
        for (const auto& row : *table) {
            std::fprintf(file, "        {{");
            for (std::size_t j = 0; j < row.size(); ++j)
                std::fprintf(file, "%s%.0f", j ? ", " : "", row[j]);
            std::fprintf(file, "}},\n");
        }
        std::fprintf(file, "    }},\n");
    }
    std::fprintf(file, "};\n// clang-format on\n\n} // namespace vesk\n");
    if (std::fclose(file) != 0 || std::rename((path + ".part").c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc != 5 || std::string(argv[1]) != "--ephe" || std::string(argv[3]) != "--out")
            throw std::runtime_error("usage: vesk-make-perturbations --ephe DIR --out FILE.cpp");
        swe_set_ephe_path(argv[2]);
        PerturbationTables tables{};
        fitPlanet(jupiter, SE_JUPITER, tables);
        fitPlanet(saturn, SE_SATURN, tables);
        printErrors(noPerturbations, "without the tables");
        printErrors(tables, "with the tables");
        writeTables(tables, argv[4]);
        swe_close();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vesk-make-perturbations: %s\n", error.what());
        return 1;
    }
}
