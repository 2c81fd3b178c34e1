// Medición de las cifras: pórticos al azar, bien y mal condicionados,
// resueltos por el programa y por la referencia en precisión cuádruple
// (bench/referenciaCuadruple.h). Por cada pórtico, el error medido de
// desplazamientos, reacciones y fuerzas en los extremos, frente a lo que
// estima el programa.
//
// Uso: medir_cifras [cantidad [semilla]]
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "analysis/analisis_interno.h"
#include "app/zurezar3o.h"
#include "bench/comunMedir.h"
#include "bench/referenciaCuadruple.h"

namespace {

using referencia::barraDatos;
using referencia::cargaDatos;
using referencia::nudoDatos;
using referencia::portico;

struct azar {
    std::mt19937_64 g;
    explicit azar(uint64_t s) : g(s) {}
    double uniforme(double a, double b) { return std::uniform_real_distribution<double>(a, b)(g); }
    int entero(int a, int b) { return std::uniform_int_distribution<int>(a, b)(g); }
    bool moneda(double p = 0.5) { return uniforme(0, 1) < p; }
    double potencia(double a, double b) { return std::pow(10.0, uniforme(a, b)); }
};

barraDatos barraAlAzar(azar& z, int i, int j, double E, double nu)
{
    barraDatos b{};
    b.i = i;
    b.j = j;
    b.A = z.potencia(-2.3, -0.5);
    b.Iy = b.A * b.A * z.uniforme(0.04, 0.2);
    b.Iz = b.A * b.A * z.uniforme(0.04, 0.2);
    b.J = (b.Iy + b.Iz) * z.uniforme(0.1, 0.8);
    b.E = E * z.uniforme(0.8, 1.2);
    b.nu = nu;
    b.rodarGrados = z.moneda() ? 0 : (z.moneda() ? 90 : z.uniforme(0, 360));
    b.art = {1, 1, 1, 1};
    return b;
}

// Pórtico espacial de vanos y pisos al azar, empotrado o articulado en la base
portico porticoBase(azar& z)
{
    portico p;
    int nx = z.entero(1, 2), ny = z.entero(1, 2), pisos = z.entero(1, 3);
    double Lx = z.uniforme(3, 8), Ly = z.uniforme(3, 8), H = z.uniforme(2.5, 4);
    bool empotrada = z.moneda(0.6);
    double E = z.moneda() ? 2e8 : 2.5e7, nu = z.moneda() ? 0.3 : 0.2;
    auto indice = [&](int i, int j, int k) { return (k * (ny + 1) + j) * (nx + 1) + i; };
    for (int k = 0; k <= pisos; k++) {
        for (int j = 0; j <= ny; j++) {
            for (int i = 0; i <= nx; i++) {
                nudoDatos n{i * Lx, j * Ly, k * H, {0, 0, 0, 0, 0, 0}};
                if (k == 0) {
                    n.apoyo = empotrada ? std::array<int, 6>{1, 1, 1, 1, 1, 1}
                                        : std::array<int, 6>{1, 1, 1, 0, 0, 0};
                }
                p.nudos.push_back(n);
            }
        }
    }
    for (int k = 1; k <= pisos; k++) {
        for (int j = 0; j <= ny; j++) {
            for (int i = 0; i <= nx; i++) {
                p.barras.push_back(barraAlAzar(z, indice(i, j, k - 1), indice(i, j, k), E, nu));
                if (i < nx) p.barras.push_back(barraAlAzar(z, indice(i, j, k), indice(i + 1, j, k), E, nu));
                if (j < ny) p.barras.push_back(barraAlAzar(z, indice(i, j, k), indice(i, j + 1, k), E, nu));
            }
        }
        if (z.moneda(0.3)) {
            p.barras.push_back(barraAlAzar(z, indice(0, 0, k - 1), indice(1, 0, k), E, nu));
        }
    }
    p.combos = 2;
    return p;
}

void cargasAlAzar(azar& z, portico& p)
{
    p.cargas.clear();
    std::vector<int> libres;
    for (size_t k = 0; k < p.nudos.size(); k++) {
        if (p.nudos[k].apoyo[0] == 0) libres.push_back(static_cast<int>(k));
    }
    for (int c = 0; c < p.combos; c++) {
        int cuantas = z.entero(1, 4);
        for (int q = 0; q < cuantas; q++) {
            cargaDatos carga{libres[static_cast<size_t>(z.entero(0, static_cast<int>(libres.size()) - 1))], c, {}};
            for (int k = 0; k < 3; k++) carga.F[static_cast<size_t>(k)] = z.uniforme(-10, 10);
            for (int k = 3; k < 6; k++) carga.F[static_cast<size_t>(k)] = z.uniforme(-5, 5);
            p.cargas.push_back(carga);
        }
    }
}

// Modificaciones que empeoran la condición; devuelve su descripción
std::string modificar(azar& z, portico& p, int tipo)
{
    char texto[160];
    size_t nb = p.barras.size();
    switch (tipo) {
    case 1: {  // barras rígidas
        int cuantas = z.entero(1, 2);
        double r = z.potencia(2, 25);
        for (int k = 0; k < cuantas; k++) p.barras[static_cast<size_t>(z.entero(0, static_cast<int>(nb) - 1))].E *= r;
        std::snprintf(texto, sizeof texto, "rigida E x %.1e (%d)", r, cuantas);
        return texto;
    }
    case 2: {  // tramo corto
        size_t e = static_cast<size_t>(z.entero(0, static_cast<int>(nb) - 1));
        barraDatos b = p.barras[e];
        double f = z.potencia(-12, -2);
        const nudoDatos& a = p.nudos[static_cast<size_t>(b.i)];
        const nudoDatos& c = p.nudos[static_cast<size_t>(b.j)];
        nudoDatos m{a.x + f * (c.x - a.x), a.y + f * (c.y - a.y), a.z + f * (c.z - a.z), {0, 0, 0, 0, 0, 0}};
        p.nudos.push_back(m);
        int nuevo = static_cast<int>(p.nudos.size()) - 1;
        p.barras[e].j = nuevo;
        b.i = nuevo;
        p.barras.push_back(b);
        std::snprintf(texto, sizeof texto, "tramo %.1e", f);
        return texto;
    }
    case 3: {  // escala
        double s = z.potencia(2, 15);
        if (z.moneda()) s = 1 / s;
        for (nudoDatos& n : p.nudos) {
            n.x *= s;
            n.y *= s;
            n.z *= s;
        }
        std::snprintf(texto, sizeof texto, "escala %.1e", s);
        return texto;
    }
    case 4: {  // fijación cerca de 0 o de 1
        int cuantas = z.entero(1, 3);
        double a = z.potencia(-15, -2);
        bool cercaDeUno = z.moneda(0.3);
        for (int k = 0; k < cuantas; k++) {
            barraDatos& b = p.barras[static_cast<size_t>(z.entero(0, static_cast<int>(nb) - 1))];
            b.art[static_cast<size_t>(z.entero(0, 3))] = cercaDeUno ? 1 - a : a;
        }
        std::snprintf(texto, sizeof texto, "fijacion %s%.1e (%d)", cercaDeUno ? "1-" : "", a, cuantas);
        return texto;
    }
    default: {  // voladizo muy largo desde un nudo del techo
        size_t k = p.nudos.size() - 1;
        double largo = z.potencia(2, 8) * 5;
        double ang = z.uniforme(0, 6.283185307179586);
        nudoDatos n = p.nudos[k];
        n.x += largo * std::cos(ang);
        n.y += largo * std::sin(ang);
        n.apoyo = {0, 0, 0, 0, 0, 0};
        p.nudos.push_back(n);
        barraDatos b = p.barras.back();
        b.i = static_cast<int>(k);
        b.j = static_cast<int>(p.nudos.size()) - 1;
        p.barras.push_back(b);
        std::snprintf(texto, sizeof texto, "larga %.1e", largo);
        return texto;
    }
    }
}

// Carga el pórtico en el programa por los setters, en el orden del cargador
void cargarEnElPrograma(const portico& p)
{
    reiniciarModelo();
    nudo.resize(p.nudos.size());
    for (size_t k = 0; k < p.nudos.size(); k++) {
        objNudo3d& n = nudo[k];
        const nudoDatos& d = p.nudos[k];
        n.setNoNudoUsuario(static_cast<int>(k) + 1);
        n.setNoNudoInterno(static_cast<int>(k));
        n.setCoordenadas(d.x, d.y, d.z);
        n.setApoyo(d.apoyo[0], d.apoyo[1], d.apoyo[2], d.apoyo[3], d.apoyo[4], d.apoyo[5]);
    }
    for (const cargaDatos& q : p.cargas) {
        nudo[static_cast<size_t>(q.nudo)].setCargaPuntual("P" + std::to_string(q.combo), q.F[0], q.F[1],
                                                          q.F[2], q.F[3], q.F[4], q.F[5]);
    }
    barra.resize(p.barras.size());
    for (size_t k = 0; k < p.barras.size(); k++) {
        objBarra3d& b = barra[k];
        const barraDatos& d = p.barras[k];
        b.resetFlags();
        b.setNoBarraUsuario(static_cast<int>(k) + 1);
        b.setNoBarraInterna(static_cast<int>(k));
        const nudoDatos& ni = p.nudos[static_cast<size_t>(d.i)];
        const nudoDatos& nj = p.nudos[static_cast<size_t>(d.j)];
        b.setNudoInicio(d.i, ni.x, ni.y, ni.z);
        b.setNudoFinal(d.j, nj.x, nj.y, nj.z);
        b.setNombreDeSeccion("S");
        b.setSeccionGenerica(d.A, d.Iy, d.Iz, d.J);
        b.setModuloEyPoisson(d.E, d.nu);
        if (d.rodarGrados != 0) b.setRotacion(d.rodarGrados);
        b.setArticulacion(d.art[0], d.art[1], d.art[2], d.art[3]);
    }
    for (int c = 0; c < p.combos; c++) {
        std::string nombre = "C" + std::to_string(c), caso = "P" + std::to_string(c);
        for (objNudo3d& n : nudo) n.setCombo(nombre, 1, caso);
        for (objBarra3d& b : barra) b.setCombo(nombre, 1, caso);
    }
    noNudos = static_cast<int>(nudo.size());
    noBarras = static_cast<int>(barra.size());
    noCombos = p.combos;
}

// Error relativo de una clase: máximo |calc - ref| sobre el máximo |ref|
struct acumulador {
    double dif = 0, tam = 0;
    void sumar(double calc, double ref)
    {
        dif = std::max(dif, std::abs(calc - ref));
        tam = std::max(tam, std::abs(ref));
    }
    double relativo() const { return tam > 0 ? dif / tam : (dif > 0 ? 1 : 0); }
};

enum clase { traslacion, giro, reaccionF, reaccionM, extremoF, extremoM, clases };

// Errores de cada clase, el máximo sobre los combos
std::array<double, clases> errores(const portico& p, const referencia::resultados& ref)
{
    std::array<double, clases> e{};
    for (int c = 0; c < p.combos; c++) {
        std::array<acumulador, clases> a;
        for (size_t k = 0; k < p.nudos.size(); k++) {
            for (int i = 0; i < 6; i++) {
                size_t d = 6 * k + static_cast<size_t>(i);
                bool libre = p.nudos[k].apoyo[static_cast<size_t>(i)] == 0;
                if (libre) {
                    a[i < 3 ? traslacion : giro].sumar(u(static_cast<Eigen::Index>(d), c), ref.u[static_cast<size_t>(c)][d]);
                } else {
                    a[i < 3 ? reaccionF : reaccionM].sumar(reacciones(static_cast<Eigen::Index>(d), c),
                                                        ref.r[static_cast<size_t>(c)][d]);
                }
            }
        }
        for (size_t k = 0; k < p.barras.size(); k++) {
            MatrixXd f = barra[k].getFuerzasExtremos();
            for (int i = 0; i < 12; i++) {
                a[(i % 6) < 3 ? extremoF : extremoM].sumar(f(i, c), ref.f[static_cast<size_t>(c)][12 * k + static_cast<size_t>(i)]);
            }
        }
        for (int k = 0; k < clases; k++) e[static_cast<size_t>(k)] = std::max(e[static_cast<size_t>(k)], a[static_cast<size_t>(k)].relativo());
    }
    return e;
}

// Equilibrio global de cada combo: resultante de cargas y reacciones,
// fuerzas y momentos respecto del centro del modelo, relativa a la suma de
// lo que entra
double desequilibrio(const portico& p)
{
    double cx = 0, cy = 0, cz = 0;
    for (const nudoDatos& n : p.nudos) {
        cx += n.x;
        cy += n.y;
        cz += n.z;
    }
    cx /= static_cast<double>(p.nudos.size());
    cy /= static_cast<double>(p.nudos.size());
    cz /= static_cast<double>(p.nudos.size());
    double peor = 0;
    for (int c = 0; c < p.combos; c++) {
        Eigen::Vector3d F = Eigen::Vector3d::Zero(), M = Eigen::Vector3d::Zero();
        double escF = 0, escM = 0;
        auto sumar = [&](size_t k, const double* v) {
            const nudoDatos& n = p.nudos[k];
            Eigen::Vector3d f(v[0], v[1], v[2]), m(v[3], v[4], v[5]), r(n.x - cx, n.y - cy, n.z - cz);
            F += f;
            M += m + r.cross(f);
            escF += f.norm();
            escM += m.norm() + r.cross(f).norm();
        };
        for (const cargaDatos& q : p.cargas) {
            if (q.combo == c) sumar(static_cast<size_t>(q.nudo), q.F.data());
        }
        for (size_t k = 0; k < p.nudos.size(); k++) {
            double r[6];
            for (int i = 0; i < 6; i++) {
                r[i] = p.nudos[k].apoyo[static_cast<size_t>(i)] == 0 ? 0 : reacciones(static_cast<Eigen::Index>(6 * k) + i, c);
            }
            sumar(k, r);
        }
        if (escF > 0) peor = std::max(peor, F.norm() / escF);
        if (escM > 0) peor = std::max(peor, M.norm() / escM);
    }
    return peor;
}

// Cancelación al formar las fuerzas: |K|·|u| frente a cargas y reacciones,
// filas de fuerza y filas de momento por separado
double cancelacion(int nc)
{
    double peor = 0;
    MatrixXd g = kEstructura.cwiseAbs() * u.cwiseAbs();
    for (int c = 0; c < nc; c++) {
        for (int clase = 0; clase < 2; clase++) {
            double fuerzas = 0, suma = 0;
            for (Eigen::Index d = 0; d < g.rows(); d++) {
                if ((d % 6) / 3 != clase) continue;
                fuerzas = std::max(fuerzas, std::abs(pEstructura(d, c)) + std::abs(reacciones(d, c)));
                suma = std::max(suma, g(d, c));
            }
            if (fuerzas > 0) peor = std::max(peor, suma / fuerzas);
        }
    }
    return std::numeric_limits<double>::epsilon() * peor;
}

double cifras(double error) { return error > 0 ? -std::log10(error) : 17; }

}  // namespace

int main(int argc, char** argv)
{
    int cantidad = argc > 1 ? std::atoi(argv[1]) : 400;
    uint64_t semilla = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    azar z(semilla);
    const char* familias[] = {"bien", "rigida", "tramo", "escala", "fijacion", "larga", "mezcla"};
    std::printf("familia detalle | gdl | estado | medido: u giro R M barraF barraM | max | refOK | "
                "skeel kappa pivote equilibrio cancelacion\n");
    for (int caso = 0; caso < cantidad; caso++) {
        portico p = porticoBase(z);
        int familia = caso % 7;
        std::string detalle;
        if (familia == 6) {
            int a = z.entero(1, 5), b = z.entero(1, 5);
            detalle = modificar(z, p, a) + " + " + modificar(z, p, b);
        } else if (familia > 0) {
            detalle = modificar(z, p, familia);
        }
        cargasAlAzar(z, p);
        cargarEnElPrograma(p);
        bool bien = false;
        enSilencio([&] { bien = funcionSolve(); });
        referencia::resultados ref, control;
        bool refBien = referencia::resolver(p, ref);
        bool controlBien = referencia::resolver(p, control, 1e-30);
        // La referencia vale si su control (perturbado en 1e-30) le da lo mismo a 1e-6
        double refError = 0;
        if (refBien && controlBien) {
            for (size_t c = 0; c < ref.u.size(); c++) {
                double tam = 0, dif = 0;
                for (size_t d = 0; d < ref.u[c].size(); d++) {
                    tam = std::max(tam, std::abs(ref.u[c][d]));
                    dif = std::max(dif, std::abs(ref.u[c][d] - control.u[c][d]));
                }
                refError = std::max(refError, tam > 0 ? dif / tam : 0);
            }
        } else {
            refError = 1;
        }
        std::printf("%-8s %-34s | %4d | ", familias[familia], detalle.c_str(), 6 * noNudos);
        if (!bien) {
            std::printf("rechazo: %.60s | refOK %d\n", mensajeAnalisis.c_str(), refError < 1e-6);
            continue;
        }
        std::array<double, clases> e = errores(p, ref);
        double peor = *std::max_element(e.begin(), e.end());
        std::printf("resuelto | ");
        for (double v : e) std::printf("%.1f ", cifras(v));
        const analisis::estimacionCifras& est = analisis::ultimaEstimacion;
        std::printf("| %.1f | %d | %.1f %.1f %.1f %.1f %.1f\n", cifras(peor), refError < 1e-6,
                    cifras(est.errorSkeel), cifras(est.errorKappa),
                    cifras(std::numeric_limits<double>::epsilon() * est.razonPivote),
                    cifras(desequilibrio(p)), cifras(cancelacion(p.combos)));
        std::fflush(stdout);
    }
    return 0;
}
