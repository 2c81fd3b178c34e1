// Medición de las cifras: pórticos al azar, bien y mal condicionados (barras
// muy rígidas, tramos muy cortos, modelos en otra escala, fijaciones cerca de
// 0 o de 1, voladizos muy largos), resueltos por el programa y por una
// referencia en precisión cuádruple (bench/referenciaCuadruple.h). Por cada
// pórtico, las cifras que de verdad tienen los desplazamientos, las
// reacciones y las fuerzas en los extremos de las barras (la peor de las
// seis clases), frente a lo que dice el programa: nada, un aviso con sus
// cifras o el rechazo. Cuando el programa no entrega resultados se mide lo
// que da una solución simple en doble precisión (Cholesky denso de la misma
// rigidez), para ver si hacía falta rechazar. Al final, la tabla de lo medido
// frente a lo dicho.
//
// Uso: medir_cifras [cantidad [semilla [caso]]]   (por omisión 700 pórticos,
// semilla 1; con caso, solo ese pórtico, con la línea completa del programa)
//      medir_cifras mecanismos [cantidad [semilla]]
// La segunda forma arma mecanismos verdaderos (nudo suelto, voladizo
// rotulado en un plano, cadena rotulada, base articulada con vigas rotuladas,
// pórtico plano sin nada fuera de su plano; la mitad dentro de barras muy
// rígidas o muy blandas) y cuenta si el programa los rechaza nombrando un
// grado que de verdad se mueve: el rango de la rigidez en cuádruple sube si
// a ese grado se le agrega un apoyo elástico.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "analysis/analisis.h"
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

// Pórtico espacial de vanos y pisos al azar, empotrado o articulado en la
// base; plano (en x-z) si se pide
portico porticoBase(azar& z, bool plano = false)
{
    portico p;
    int nx = z.entero(1, 2), ny = plano ? 0 : z.entero(1, 2), pisos = z.entero(1, 3);
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
        if (!plano && z.moneda(0.3)) {
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

// Resultados de una solución en doble precisión: desplazamientos y
// reacciones N x nc, y las fuerzas en los extremos de cada barra 12 x nc
struct solucionDoble {
    MatrixXd u, r;
    std::vector<MatrixXd> f;
};

// Los del programa, tal como los entregó
solucionDoble delPrograma()
{
    solucionDoble s{u, reacciones, {}};
    for (objBarra3d& b : barra) s.f.push_back(b.getFuerzasExtremos());
    return s;
}

// Cholesky denso de la rigidez que suman las barras del programa
solucionDoble dobleSimple(const portico& p)
{
    const Eigen::Index N = 6 * static_cast<Eigen::Index>(p.nudos.size());
    MatrixXd K = MatrixXd::Zero(N, N), P = MatrixXd::Zero(N, p.combos);
    for (objBarra3d& b : barra) {
        Eigen::VectorXi g = b.getGdl();
        MatrixXd Kg = b.getKGlobal();
        for (int i = 0; i < 12; i++)
            for (int j = 0; j < 12; j++) K(g(i) - 1, g(j) - 1) += Kg(i, j);
    }
    for (const cargaDatos& q : p.cargas)
        for (int k = 0; k < 6; k++) P(6 * q.nudo + k, q.combo) += q.F[static_cast<size_t>(k)];
    std::vector<Eigen::Index> libres;
    for (Eigen::Index d = 0; d < N; d++)
        if (p.nudos[static_cast<size_t>(d / 6)].apoyo[static_cast<size_t>(d % 6)] == 0) libres.push_back(d);
    const Eigen::Index nf = static_cast<Eigen::Index>(libres.size());
    MatrixXd Kf(nf, nf), Pf(nf, p.combos);
    for (Eigen::Index a = 0; a < nf; a++) {
        for (Eigen::Index b = 0; b < nf; b++) Kf(a, b) = K(libres[static_cast<size_t>(a)], libres[static_cast<size_t>(b)]);
        Pf.row(a) = P.row(libres[static_cast<size_t>(a)]);
    }
    MatrixXd x = Kf.ldlt().solve(Pf);
    solucionDoble s;
    s.u = MatrixXd::Zero(N, p.combos);
    for (Eigen::Index a = 0; a < nf; a++) s.u.row(libres[static_cast<size_t>(a)]) = x.row(a);
    s.r = K * s.u - P;
    for (objBarra3d& b : barra) {
        Eigen::VectorXi g = b.getGdl();
        MatrixXd ue(12, p.combos);
        for (int i = 0; i < 12; i++) ue.row(i) = s.u.row(g(i) - 1);
        s.f.push_back(b.getKLocal() * (b.getT() * ue));
    }
    return s;
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

// Peor error relativo de las seis clases (traslaciones, giros, reacciones
// fuerza y momento, fuerzas y momentos en los extremos), sobre los combos
double peorError(const portico& p, const solucionDoble& s, const referencia::resultados& ref)
{
    double peor = 0;
    for (int c = 0; c < p.combos; c++) {
        std::array<acumulador, 6> a;
        const size_t cc = static_cast<size_t>(c);
        for (size_t k = 0; k < p.nudos.size(); k++) {
            for (int i = 0; i < 6; i++) {
                const size_t d = 6 * k + static_cast<size_t>(i);
                const Eigen::Index f = static_cast<Eigen::Index>(d);
                if (p.nudos[k].apoyo[static_cast<size_t>(i)] == 0) {
                    a[i < 3 ? 0 : 1].sumar(s.u(f, c), ref.u[cc][d]);
                } else {
                    a[i < 3 ? 2 : 3].sumar(s.r(f, c), ref.r[cc][d]);
                }
            }
        }
        for (size_t k = 0; k < p.barras.size(); k++) {
            for (int i = 0; i < 12; i++) {
                a[(i % 6) < 3 ? 4 : 5].sumar(s.f[k](i, c), ref.f[cc][12 * k + static_cast<size_t>(i)]);
            }
        }
        // Una reacción nula (momento de una base articulada) se mide en la
        // escala de las fuerzas de su clase en los extremos de las barras
        a[2].tam = std::max(a[2].tam, a[4].tam);
        a[3].tam = std::max(a[3].tam, a[5].tam);
        for (const acumulador& x : a) peor = std::max(peor, x.relativo());
    }
    return peor;
}

double cifras(double error) { return error > 0 ? -std::log10(error) : 16; }

// Lo que dijo el programa
enum dicho { sinLinea, aviso, rechazo, mecanismo, otraLinea, dichos };
const char* nombreDicho[dichos] = {"sin línea", "aviso", "rechazo mal condicionada",
                                   "rechazo como mecanismo", "otra línea"};

dicho loQueDijo(bool bien, int& cifrasDichas)
{
    cifrasDichas = -1;
    const std::string avisoCifras = "Advertencia: resultados con solo unas ";
    if (bien) {
        if (mensajeAnalisis.empty()) return sinLinea;
        if (mensajeAnalisis.rfind(avisoCifras, 0) == 0) {
            cifrasDichas = std::atoi(mensajeAnalisis.c_str() + avisoCifras.size());
            return aviso;
        }
        return otraLinea;
    }
    if (mensajeAnalisis.rfind("Estructura mal condicionada", 0) == 0) return rechazo;
    if (mensajeAnalisis.rfind("Estructura inestable", 0) == 0) return mecanismo;
    return otraLinea;
}

// ---------------------------------------------------------------------------
// Mecanismos verdaderos: el programa tiene que rechazarlos y nombrar un grado
// que de verdad se mueve

// Barra nueva desde el nudo k, de largo L en la dirección d, con su punta libre
int barraDesde(azar& z, portico& p, int k, double L, Eigen::Vector3d d)
{
    nudoDatos n = p.nudos[static_cast<size_t>(k)];
    n.x += L * d.x();
    n.y += L * d.y();
    n.z += L * d.z();
    n.apoyo = {0, 0, 0, 0, 0, 0};
    p.nudos.push_back(n);
    barraDatos b = barraAlAzar(z, k, static_cast<int>(p.nudos.size()) - 1, p.barras[0].E, p.barras[0].nu);
    p.barras.push_back(b);
    return static_cast<int>(p.barras.size()) - 1;
}

portico mecanismoAlAzar(azar& z, int tipo, std::string& detalle)
{
    portico p = porticoBase(z, tipo == 4);
    const int techo = static_cast<int>(p.nudos.size()) - 1;
    Eigen::Vector3d horizontal(std::cos(z.uniforme(0, 6.3)), std::sin(z.uniforme(0, 6.3)), 0);
    horizontal.normalize();
    std::vector<int> nuevas;
    switch (tipo) {
    case 0:  // nudo al que no llega ninguna barra
        p.nudos.push_back({99, 99, 0, {0, 0, 0, 0, 0, 0}});
        detalle = "nudo suelto";
        break;
    case 1: {  // voladizo rotulado en su raíz en un plano
        int b = barraDesde(z, p, techo, z.uniforme(1, 5), horizontal);
        int plano = z.entero(0, 1);
        p.barras[static_cast<size_t>(b)].art[static_cast<size_t>(2 * plano)] = 0;
        nuevas.push_back(b);
        detalle = plano == 0 ? "voladizo rotulado en x-y" : "voladizo rotulado en x-z";
        break;
    }
    case 2: {  // cadena de dos barras rotuladas en sus extremos
        int b1 = barraDesde(z, p, techo, z.uniforme(1, 4), horizontal);
        int b2 = barraDesde(z, p, static_cast<int>(p.nudos.size()) - 1, z.uniforme(1, 4),
                            Eigen::Vector3d(0, 0, 1));
        for (int b : {b1, b2}) p.barras[static_cast<size_t>(b)].art = {0, 0, 0, 0};
        nuevas = {b1, b2};
        detalle = "cadena rotulada";
        break;
    }
    case 3: {  // base articulada y vigas rotuladas: se desploma
        for (nudoDatos& n : p.nudos) {
            if (n.apoyo[0] == 1) n.apoyo = {1, 1, 1, 0, 0, 0};
        }
        for (barraDatos& b : p.barras) {
            if (p.nudos[static_cast<size_t>(b.i)].z == p.nudos[static_cast<size_t>(b.j)].z) b.art = {0, 0, 0, 0};
        }
        // sin diagonales, que lo arriostrarían
        std::vector<barraDatos> sinDiagonales;
        for (const barraDatos& b : p.barras) {
            const nudoDatos &a = p.nudos[static_cast<size_t>(b.i)], &c = p.nudos[static_cast<size_t>(b.j)];
            bool diagonal = a.z != c.z && (a.x != c.x || a.y != c.y);
            if (!diagonal) sinDiagonales.push_back(b);
        }
        p.barras = sinDiagonales;
        detalle = "sin rodillo: base articulada, vigas rotuladas";
        break;
    }
    default:  // pórtico plano articulado en la base, sin nada fuera de su plano
        for (nudoDatos& n : p.nudos) {
            if (n.apoyo[0] == 1) n.apoyo = {1, 1, 1, 0, 0, 0};
        }
        detalle = "plano sin arriostrar fuera de su plano";
        break;
    }
    // Mecanismo dentro de una región muy rígida o muy blanda
    if (!nuevas.empty() && z.moneda(0.5)) {
        double r = z.potencia(4, 10);
        if (z.moneda()) r = 1 / r;
        for (int b : nuevas) p.barras[static_cast<size_t>(b)].E *= r;
        char texto[40];
        std::snprintf(texto, sizeof texto, ", E x %.0e", r);
        detalle += texto;
    }
    cargasAlAzar(z, p);
    return p;
}

// El grado (fila de la estructura) que nombra la línea, o -1
int gradoNombrado(const std::string& linea)
{
    const char* direcciones[6] = {"ux", "uy", "uz", "rx", "ry", "rz"};
    size_t n = linea.find("el nudo ");
    size_t d = linea.find("dirección ");
    if (n == std::string::npos || d == std::string::npos) return -1;
    int nudoUsuario = std::atoi(linea.c_str() + n + 8);
    std::string dir = linea.substr(d + std::string("dirección ").size(), 2);
    for (int k = 0; k < 6; k++) {
        if (dir == direcciones[k]) return 6 * (nudoUsuario - 1) + k;
    }
    return -1;
}

int medirMecanismos(int cantidad, uint64_t semilla)
{
    azar z(semilla);
    const char* resultados[4] = {"mecanismo, el grado nombrado se mueve",
                                 "mecanismo, el grado nombrado no se mueve",
                                 "rechazado sin decir mecanismo", "resuelto"};
    int cuenta[4] = {};
    std::printf("caso mecanismo                                   | nulidad | línea\n");
    for (int caso = 0; caso < cantidad; caso++) {
        std::string detalle;
        portico p = mecanismoAlAzar(z, caso % 5, detalle);
        cargarEnElPrograma(p);
        bool bien = false;
        enSilencio([&] { bien = funcionSolve(); });
        referencia::armado a = referencia::armar(p);
        const double tol = 1e-22;
        int rango = referencia::rangoLibre(a, -1, tol);
        int nulidad = static_cast<int>(a.libres.size()) - rango;
        int resultado = 3;
        if (!bien) {
            resultado = 2;
            if (mensajeAnalisis.rfind("Estructura inestable", 0) == 0) {
                int fila = gradoNombrado(mensajeAnalisis);
                int lugar = -1;
                for (size_t k = 0; k < a.libres.size(); k++) {
                    if (a.libres[k] == fila) lugar = static_cast<int>(k);
                }
                bool semueve = lugar >= 0 && referencia::rangoLibre(a, lugar, tol) > rango;
                resultado = semueve ? 0 : 1;
            }
        }
        cuenta[resultado]++;
        const char* marca[4] = {"", " (no se mueve)", " (no dice mecanismo)", "(resuelto)"};
        std::printf("%4d %-45s | %7d | %s%s\n", caso, detalle.c_str(), nulidad,
                    bien ? "" : mensajeAnalisis.c_str(), marca[resultado]);
        std::fflush(stdout);
    }
    std::printf("\n");
    for (int k = 0; k < 4; k++) std::printf("%-45s %5d\n", resultados[k], cuenta[k]);
    return cuenta[1] + cuenta[2] + cuenta[3] == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "mecanismos") {
        return medirMecanismos(argc > 2 ? std::atoi(argv[2]) : 500,
                               argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1);
    }
    int cantidad = argc > 1 ? std::atoi(argv[1]) : 700;
    uint64_t semilla = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    int soloCaso = argc > 3 ? std::atoi(argv[3]) : -1;
    azar z(semilla);
    const char* familias[] = {"bien", "rigida", "tramo", "escala", "fijacion", "larga", "mezcla"};
    // tabla[cifras medidas: >= 6, 2 a 6, < 2, sin referencia][lo dicho]
    const char* rangos[4] = {"6 o más", "2 a 6", "menos de 2", "sin referencia"};
    int tabla[4][dichos] = {};
    std::vector<double> diferencias;  // cifras dichas menos medidas, en los avisos
    std::printf("caso familia  modificación                        |  gdl | medidas (doble simple) | dicho\n");
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
        if (soloCaso >= 0 && caso != soloCaso) {
            continue;
        }
        cargarEnElPrograma(p);
        bool bien = false;
        enSilencio([&] { bien = funcionSolve(); });
        int cifrasDichas = -1;
        dicho d = loQueDijo(bien, cifrasDichas);
        // La referencia vale si la misma con cada término perturbado en
        // 1e-30 le da lo mismo a 1e-6: su propio error es de 1e-10 o menos
        referencia::resultados ref, control;
        bool refBien = referencia::resolver(p, ref) && referencia::resolver(p, control, 1e-30);
        double refError = refBien ? 0 : 1;
        for (size_t c = 0; refBien && c < ref.u.size(); c++) {
            double tam = 0, dif = 0;
            for (size_t k = 0; k < ref.u[c].size(); k++) {
                tam = std::max(tam, std::abs(ref.u[c][k]));
                dif = std::max(dif, std::abs(ref.u[c][k] - control.u[c][k]));
            }
            refError = std::max(refError, tam > 0 ? dif / tam : 0);
        }
        std::printf("%4d %-8s %-35s | %4d | ", caso, familias[familia], detalle.c_str(), 6 * noNudos);
        int rango = 3;
        if (refError < 1e-6) {
            double medidas = cifras(peorError(p, bien ? delPrograma() : dobleSimple(p), ref));
            rango = medidas >= 6 ? 0 : medidas >= 2 ? 1 : 2;
            std::printf(bien ? "%5.1f                  | " : "       (%5.1f)          | ", medidas);
            if (d == aviso) diferencias.push_back(cifrasDichas - std::floor(medidas));
        } else {
            std::printf("sin referencia         | ");
        }
        tabla[rango][d]++;
        if (d == aviso) {
            std::printf("aviso, %d cifras\n", cifrasDichas);
        } else {
            int largo = soloCaso >= 0 ? static_cast<int>(mensajeAnalisis.size()) : 70;
            std::printf("%s%s%.*s\n", nombreDicho[d], d == sinLinea ? "" : ": ", largo,
                        d == sinLinea ? "" : mensajeAnalisis.c_str());
        }
        std::fflush(stdout);
    }
    std::printf("\nCifras medidas (la peor clase; si no hubo resultados, las de la solución "
                "simple en doble) frente a lo que dijo el programa:\n%-16s", "");
    for (const char* n : nombreDicho) std::printf(" | %-24s", n);
    std::printf("\n");
    for (int r = 0; r < 4; r++) {
        std::printf("%-16s", rangos[r]);
        for (int k = 0; k < dichos; k++) std::printf(" | %24d", tabla[r][k]);
        std::printf("\n");
    }
    if (!diferencias.empty()) {
        std::sort(diferencias.begin(), diferencias.end());
        std::printf("Avisos: cifras dichas menos cifras medidas (enteras): mínimo %+.0f, mediana %+.0f, "
                    "máximo %+.0f (%zu avisos)\n",
                    diferencias.front(), diferencias[diferencias.size() / 2], diferencias.back(),
                    diferencias.size());
    }
    return 0;
}
