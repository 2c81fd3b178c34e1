// Solución de referencia de un pórtico en precisión cuádruple (__float128,
// 113 bits), escrita aparte del programa: la rigidez de cada barra sale de la
// viga clásica con un resorte rotacional en cada extremo condensado (fijación
// a = k·L / (k·L + E·I)), los ejes locales de su construcción geométrica y
// la solución de un Cholesky denso. Sin deformación por corte (secciones
// genéricas) y sin cargas en las barras.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace referencia {

using real = __float128;

// Datos del pórtico, tal como se le dan al programa
struct nudoDatos {
    double x, y, z;
    std::array<int, 6> apoyo;
};

struct barraDatos {
    int i, j;  // índices internos de los nudos
    double A, Iy, Iz, J, E, nu;
    double rodarGrados;
    std::array<double, 4> art;  // iniY, finY, iniZ, finZ
};

struct cargaDatos {
    int nudo, combo;
    std::array<double, 6> F;
};

struct portico {
    std::vector<nudoDatos> nudos;
    std::vector<barraDatos> barras;
    std::vector<cargaDatos> cargas;
    int combos = 0;
};

// Resultados: por combo, desplazamientos y reacciones (6 por nudo) y fuerzas
// en los extremos de cada barra en ejes locales (12 por barra)
struct resultados {
    std::vector<std::vector<double>> u, r, f;
};

inline real raiz(real v)
{
    if (v <= 0) {
        return 0;
    }
    real x = std::sqrt(static_cast<double>(v));
    for (int k = 0; k < 3; k++) {
        x = (x + v / x) / 2;
    }
    return x;
}

// pi con unos 32 dígitos: la suma de dos doubles
inline real piCuadruple() { return real(3.141592653589793) + real(1.2246467991473532e-16); }

// Seno y coseno por su serie, con el ángulo llevado a [-pi, pi]
inline void senoCoseno(real t, real& s, real& c)
{
    const real pi = piCuadruple();
    while (t > pi) t -= 2 * pi;
    while (t < -pi) t += 2 * pi;
    s = 0;
    c = 0;
    real termino = 1;  // t^k / k!
    for (int k = 0; k < 80; k++) {
        if (k > 0) termino *= t / k;
        switch (k % 4) {
        case 0: c += termino; break;
        case 1: s += termino; break;
        case 2: c -= termino; break;
        default: s -= termino; break;
        }
    }
}

// Matriz densa cuadrada
struct densa {
    int n = 0;
    std::vector<real> v;
    explicit densa(int filas = 0) : n(filas), v(static_cast<size_t>(filas) * filas, real(0)) {}
    real& operator()(int i, int j) { return v[static_cast<size_t>(i) * n + j]; }
    real operator()(int i, int j) const { return v[static_cast<size_t>(i) * n + j]; }
};

// Rigidez de flexión de un plano en (v_i, giro_i, v_j, giro_j), giro = dv/dx,
// con los resortes de los extremos condensados
inline std::array<std::array<real, 4>, 4> flexionConResortes(real EI, real L, double ai, double aj)
{
    // Grados: 0 v_i, 1 giro_i del nudo, 2 v_j, 3 giro_j del nudo, 4 y 5 los
    // giros de la viga en cada extremo (solo si hay resorte)
    real k[6][6] = {};
    real c = EI / (L * L * L);
    const real viga[4][4] = {{12, 6 * L, -12, 6 * L},
                             {6 * L, 4 * L * L, -6 * L, 2 * L * L},
                             {-12, -6 * L, 12, -6 * L},
                             {6 * L, 2 * L * L, -6 * L, 4 * L * L}};
    bool resorte[2] = {ai < 1, aj < 1};
    int lugar[4] = {0, resorte[0] ? 4 : 1, 2, resorte[1] ? 5 : 3};
    for (int a = 0; a < 4; a++) {
        for (int b = 0; b < 4; b++) {
            k[lugar[a]][lugar[b]] += c * viga[a][b];
        }
    }
    for (int e = 0; e < 2; e++) {
        if (!resorte[e]) continue;
        real a = e == 0 ? ai : aj;
        real ks = a / (1 - a) * EI / L;  // a = k·L / (k·L + E·I)
        int nudoGiro = e == 0 ? 1 : 3, vigaGiro = 4 + e;
        k[nudoGiro][nudoGiro] += ks;
        k[vigaGiro][vigaGiro] += ks;
        k[nudoGiro][vigaGiro] -= ks;
        k[vigaGiro][nudoGiro] -= ks;
    }
    // Condensación de los giros de la viga (4 y 5 que existan)
    std::vector<int> internos;
    for (int e = 0; e < 2; e++) {
        if (resorte[e]) internos.push_back(4 + e);
    }
    std::array<std::array<real, 4>, 4> r{};
    if (internos.empty()) {
        for (int a = 0; a < 4; a++)
            for (int b = 0; b < 4; b++) r[a][b] = k[a][b];
        return r;
    }
    // inversa del bloque interno (1 x 1 o 2 x 2)
    real inv[2][2] = {};
    if (internos.size() == 1) {
        inv[0][0] = 1 / k[internos[0]][internos[0]];
    } else {
        real a = k[4][4], b = k[4][5], d = k[5][5], det = a * d - b * b;
        inv[0][0] = d / det;
        inv[0][1] = -b / det;
        inv[1][0] = -b / det;
        inv[1][1] = a / det;
    }
    for (int a = 0; a < 4; a++) {
        for (int b = 0; b < 4; b++) {
            real s = k[a][b];
            for (size_t p = 0; p < internos.size(); p++) {
                for (size_t q = 0; q < internos.size(); q++) {
                    s -= k[a][internos[p]] * inv[p][q] * k[internos[q]][b];
                }
            }
            r[a][b] = s;
        }
    }
    return r;
}

// Rigidez local de 12 x 12 de una barra
inline std::array<std::array<real, 12>, 12> rigidezLocal(const barraDatos& b, real L)
{
    std::array<std::array<real, 12>, 12> k{};
    real E = b.E, G = E / (2 * (1 + real(b.nu)));
    real ea = E * real(b.A) / L, gj = G * real(b.J) / L;
    k[0][0] = k[6][6] = ea;
    k[0][6] = k[6][0] = -ea;
    k[3][3] = k[9][9] = gj;
    k[3][9] = k[9][3] = -gj;
    // plano x-y: v = uy, giro = rz; plano x-z: v = uz, giro = -ry
    const int gradosY[4] = {1, 5, 7, 11}, gradosZ[4] = {2, 4, 8, 10};
    auto y = flexionConResortes(E * real(b.Iz), L, b.art[0], b.art[1]);
    auto z = flexionConResortes(E * real(b.Iy), L, b.art[2], b.art[3]);
    const real signoZ[4] = {1, -1, 1, -1};
    for (int a = 0; a < 4; a++) {
        for (int c = 0; c < 4; c++) {
            k[gradosY[a]][gradosY[c]] += y[a][c];
            k[gradosZ[a]][gradosZ[c]] += signoZ[a] * signoZ[c] * z[a][c];
        }
    }
    return k;
}

// Ejes locales (filas: x, y, z en globales): y sin giro en el plano vertical
// de la barra con Z positiva; en una barra vertical y es -X si sube y +X si
// baja; el giro lleva y hacia z
inline void ejesLocales(const nudoDatos& ni, const nudoDatos& nj, double rodarGrados,
                        real R[3][3], real& L)
{
    real d[3] = {real(nj.x) - real(ni.x), real(nj.y) - real(ni.y), real(nj.z) - real(ni.z)};
    L = raiz(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    real x[3] = {d[0] / L, d[1] / L, d[2] / L};
    real y0[3];
    if (d[0] == 0 && d[1] == 0) {
        y0[0] = d[2] > 0 ? -1 : 1;
        y0[1] = 0;
        y0[2] = 0;
    } else {
        // Z menos su parte a lo largo de x, normalizado
        y0[0] = -x[2] * x[0];
        y0[1] = -x[2] * x[1];
        y0[2] = 1 - x[2] * x[2];
        real n = raiz(y0[0] * y0[0] + y0[1] * y0[1] + y0[2] * y0[2]);
        for (real& c : y0) c /= n;
    }
    real z0[3] = {x[1] * y0[2] - x[2] * y0[1], x[2] * y0[0] - x[0] * y0[2],
                  x[0] * y0[1] - x[1] * y0[0]};
    real s, c;
    senoCoseno(real(rodarGrados) * piCuadruple() / 180, s, c);
    for (int k = 0; k < 3; k++) {
        R[0][k] = x[k];
        R[1][k] = c * y0[k] + s * z0[k];
        R[2][k] = -s * y0[k] + c * z0[k];
    }
}

// Perturbación relativa de cada término, para saber si la propia referencia
// alcanza: 0 para la referencia, 1e-30 para su control (bench/medirCifras.cpp)
struct perturbacion {
    double tam = 0;
    uint64_t estado = 88172645463325252ull;
    real aplicar(real v)
    {
        if (tam == 0) return v;
        estado ^= estado << 13;
        estado ^= estado >> 7;
        estado ^= estado << 17;
        double xi = static_cast<double>(estado >> 11) / 9007199254740992.0 * 2 - 1;
        return v * (1 + real(tam) * real(xi));
    }
};

// Rigidez de la estructura (N x N), con la rigidez local y los ejes de
// cada barra, y los grados libres
struct armado {
    densa K;
    std::vector<std::array<std::array<real, 12>, 12>> kl;
    std::vector<std::array<std::array<real, 3>, 3>> ejes;
    std::vector<int> libres;
};

inline armado armar(const portico& p, double tamPerturbacion = 0)
{
    perturbacion pert;
    pert.tam = tamPerturbacion;
    const int N = 6 * static_cast<int>(p.nudos.size());
    armado a{densa(N), {}, {}, {}};
    a.kl.resize(p.barras.size());
    a.ejes.resize(p.barras.size());
    for (size_t e = 0; e < p.barras.size(); e++) {
        const barraDatos& b = p.barras[e];
        real R[3][3], L;
        ejesLocales(p.nudos[static_cast<size_t>(b.i)], p.nudos[static_cast<size_t>(b.j)],
                    b.rodarGrados, R, L);
        for (int f = 0; f < 3; f++)
            for (int c = 0; c < 3; c++) a.ejes[e][f][c] = R[f][c] = pert.aplicar(R[f][c]);
        a.kl[e] = rigidezLocal(b, L);
        for (auto& fila : a.kl[e])
            for (real& v : fila) v = pert.aplicar(v);
        // Kg = Tᵀ k T por bloques de 3 x 3
        int g[12];
        for (int k = 0; k < 6; k++) {
            g[k] = 6 * b.i + k;
            g[6 + k] = 6 * b.j + k;
        }
        for (int bi = 0; bi < 4; bi++) {
            for (int bj = 0; bj < 4; bj++) {
                for (int f = 0; f < 3; f++) {
                    for (int c = 0; c < 3; c++) {
                        real s = 0;
                        for (int q = 0; q < 3; q++) {
                            for (int t = 0; t < 3; t++) {
                                s += R[q][f] * a.kl[e][3 * bi + q][3 * bj + t] * R[t][c];
                            }
                        }
                        a.K(g[3 * bi + f], g[3 * bj + c]) += s;
                    }
                }
            }
        }
    }
    for (int d = 0; d < N; d++) {
        if (p.nudos[static_cast<size_t>(d / 6)].apoyo[static_cast<size_t>(d % 6)] == 0) {
            a.libres.push_back(d);
        }
    }
    return a;
}

// Rango del bloque libre por Cholesky con pivote en la diagonal: un pivote
// que no pasa de tol veces la escala de su grado (la suma de las diagonales
// de las tres traslaciones o de los tres giros de su nudo) es nulo. Con
// extra >= 0, antes se suma a ese grado libre su escala (un apoyo elástico):
// si el rango sube, ese grado se mueve en algún mecanismo.
inline int rangoLibre(const armado& a, int extra, double tol)
{
    const int nf = static_cast<int>(a.libres.size());
    densa M(nf);
    std::vector<real> diagonal(static_cast<size_t>(nf));
    real mayor = 0;
    for (int i = 0; i < nf; i++) {
        for (int j = 0; j < nf; j++) M(i, j) = a.K(a.libres[static_cast<size_t>(i)], a.libres[static_cast<size_t>(j)]);
        if (M(i, i) > mayor) mayor = M(i, i);
        int fila = a.libres[static_cast<size_t>(i)], primera = fila - fila % 3;
        diagonal[static_cast<size_t>(i)] = a.K(primera, primera) + a.K(primera + 1, primera + 1)
                                           + a.K(primera + 2, primera + 2);
    }
    for (int i = 0; i < nf; i++) {
        if (!(diagonal[static_cast<size_t>(i)] > 0)) diagonal[static_cast<size_t>(i)] = mayor;
    }
    if (extra >= 0) M(extra, extra) += diagonal[static_cast<size_t>(extra)];
    std::vector<int> orden(static_cast<size_t>(nf));
    for (int i = 0; i < nf; i++) orden[static_cast<size_t>(i)] = i;
    int rango = 0;
    for (int k = 0; k < nf; k++) {
        // el mayor pivote relativo que queda
        int mejor = -1;
        real mejorRel = 0;
        for (int i = k; i < nf; i++) {
            int q = orden[static_cast<size_t>(i)];
            real d = diagonal[static_cast<size_t>(q)];
            real rel = d > 0 ? M(q, q) / d : real(0);
            if (mejor < 0 || rel > mejorRel) {
                mejor = i;
                mejorRel = rel;
            }
        }
        if (!(mejorRel > real(tol))) break;
        std::swap(orden[static_cast<size_t>(k)], orden[static_cast<size_t>(mejor)]);
        int q = orden[static_cast<size_t>(k)];
        real piv = M(q, q);
        for (int i = k + 1; i < nf; i++) {
            int r = orden[static_cast<size_t>(i)];
            real f = M(r, q) / piv;
            if (f == 0) continue;
            for (int j = k + 1; j < nf; j++) {
                int c = orden[static_cast<size_t>(j)];
                M(r, c) -= f * M(q, c);
            }
        }
        rango++;
    }
    return rango;
}

// Resuelve el pórtico. Devuelve false si el bloque libre no es definido.
inline bool resolver(const portico& p, resultados& salida, double tamPerturbacion = 0)
{
    const int N = 6 * static_cast<int>(p.nudos.size()), nc = p.combos;
    armado a = armar(p, tamPerturbacion);
    const densa& K = a.K;
    const auto& kl = a.kl;
    const auto& ejes = a.ejes;
    const std::vector<int>& libres = a.libres;
    const int nf = static_cast<int>(libres.size());
    densa Lf(nf);
    for (int a = 0; a < nf; a++)
        for (int b = 0; b < nf; b++) Lf(a, b) = K(libres[a], libres[b]);
    // Cholesky en el lugar (triángulo inferior)
    for (int j = 0; j < nf; j++) {
        real s = Lf(j, j);
        for (int k = 0; k < j; k++) s -= Lf(j, k) * Lf(j, k);
        if (!(s > 0)) return false;
        Lf(j, j) = raiz(s);
        for (int i = j + 1; i < nf; i++) {
            real t = Lf(i, j);
            for (int k = 0; k < j; k++) t -= Lf(i, k) * Lf(j, k);
            Lf(i, j) = t / Lf(j, j);
        }
    }
    salida.u.assign(static_cast<size_t>(nc), std::vector<double>(static_cast<size_t>(N), 0));
    salida.r = salida.u;
    salida.f.assign(static_cast<size_t>(nc), std::vector<double>(12 * p.barras.size(), 0));
    for (int c = 0; c < nc; c++) {
        std::vector<real> P(static_cast<size_t>(N), real(0));
        for (const cargaDatos& q : p.cargas) {
            if (q.combo != c) continue;
            for (int k = 0; k < 6; k++) P[static_cast<size_t>(6 * q.nudo + k)] += q.F[static_cast<size_t>(k)];
        }
        std::vector<real> x(static_cast<size_t>(nf));
        for (int a = 0; a < nf; a++) x[static_cast<size_t>(a)] = P[static_cast<size_t>(libres[a])];
        for (int a = 0; a < nf; a++) {
            real s = x[static_cast<size_t>(a)];
            for (int k = 0; k < a; k++) s -= Lf(a, k) * x[static_cast<size_t>(k)];
            x[static_cast<size_t>(a)] = s / Lf(a, a);
        }
        for (int a = nf - 1; a >= 0; a--) {
            real s = x[static_cast<size_t>(a)];
            for (int k = a + 1; k < nf; k++) s -= Lf(k, a) * x[static_cast<size_t>(k)];
            x[static_cast<size_t>(a)] = s / Lf(a, a);
        }
        std::vector<real> U(static_cast<size_t>(N), real(0));
        for (int a = 0; a < nf; a++) U[static_cast<size_t>(libres[a])] = x[static_cast<size_t>(a)];
        for (int d = 0; d < N; d++) {
            salida.u[static_cast<size_t>(c)][static_cast<size_t>(d)] = static_cast<double>(U[static_cast<size_t>(d)]);
            real r = -P[static_cast<size_t>(d)];
            for (int k = 0; k < N; k++) r += K(d, k) * U[static_cast<size_t>(k)];
            salida.r[static_cast<size_t>(c)][static_cast<size_t>(d)] = static_cast<double>(r);
        }
        for (size_t e = 0; e < p.barras.size(); e++) {
            const barraDatos& b = p.barras[e];
            real ul[12];
            for (int blq = 0; blq < 4; blq++) {
                int base = (blq < 2 ? 6 * b.i : 6 * b.j) + 3 * (blq % 2);
                for (int a = 0; a < 3; a++) {
                    real s = 0;
                    for (int t = 0; t < 3; t++) s += ejes[e][a][t] * U[static_cast<size_t>(base + t)];
                    ul[3 * blq + a] = s;
                }
            }
            for (int a = 0; a < 12; a++) {
                real s = 0;
                for (int t = 0; t < 12; t++) s += kl[e][a][t] * ul[t];
                salida.f[static_cast<size_t>(c)][12 * e + static_cast<size_t>(a)] = static_cast<double>(s);
            }
        }
    }
    return true;
}

}  // namespace referencia
