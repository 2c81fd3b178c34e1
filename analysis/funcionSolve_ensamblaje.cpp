// Ensamblaje: rigidez de cada barra, cargas de nudos y barras, códigos de
// apoyo, grados libres, el bloque libre disperso y la rigidez densa.
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "analysis/analisis_interno.h"
#include "app/plataforma.h"
#include "app/zurezar3o.h"

namespace analisis {

namespace {

// Un grado libre cuya diagonal no pasa de esta fracción de la rigidez que le
// llega (la escala de su fila) no tiene rigidez: lo que queda es redondeo.
const double tolRigidezNula = 1e-14;

// "Análisis cancelado: <antes>la barra N<despues>"
std::string lineaBarra(const char* antes, objBarra3d& b, const char* despues)
{
    return std::string("Análisis cancelado: ") + antes + "la barra "
           + std::to_string(b.getNoBarraUsuario()) + despues;
}

}  // namespace

void sumaDeBloques::empezar(Eigen::Index filas, size_t barras)
{
    N = filas;
    tripletes.clear();
    tripletes.reserve(barras * 144);
    escalaFilas.setZero(N);
}

void sumaDeBloques::sumar(const VectorXi& g, const MatrixXd& bloque)
{
    for (int j = 0; j < 12; j++) {
        for (int i = 0; i < 12; i++) {
            tripletes.emplace_back(g(i) - 1, g(j) - 1, bloque(i, j));
        }
    }
    for (int t = 0; t < 12; t += 3) {
        double traza = bloque(t, t) + bloque(t + 1, t + 1) + bloque(t + 2, t + 2);
        for (int i = t; i < t + 3; i++) {
            escalaFilas(g(i) - 1) += traza;
        }
    }
}

void sumaDeBloques::armar(matrizDispersa& K, Eigen::VectorXd& escala)
{
    K.resize(N, N);
    K.setFromTriplets(tripletes.begin(), tripletes.end());
    std::vector<Eigen::Triplet<double>>().swap(tripletes);
    escala.swap(escalaFilas);
}

// Pasos 5 y 6: códigos de apoyo de cada grado y los grados libres (código 0)
void leerApoyos(datosAnalisis& d)
{
    restriccionesEstructura.setZero(d.N);
    for (objNudo3d& n : nudo) {
        VectorXi g = n.getGdl();
        VectorXi apoyo = n.getVectorApoyo();
        for (int i = 0; i < 6; i++) {
            restriccionesEstructura(g(i) - 1) = apoyo(i);
        }
    }
    d.libres.clear();
    d.posicionLibre.assign(static_cast<size_t>(d.N), -1);
    for (Eigen::Index fila = 0; fila < d.N; fila++) {
        if (restriccionesEstructura(fila) == 0) {
            d.posicionLibre[static_cast<size_t>(fila)] = static_cast<int>(d.libres.size());
            d.libres.push_back(fila);
        }
    }
}

// Paso 2: cada barra, en orden, da sus grados y su rigidez global antes de
// que se le pidan cargas o se le entreguen resultados. La rigidez de la
// estructura se arma dispersa, directo de los bloques de 12 x 12. Devuelve
// la línea del problema o vacía.
std::string leerRigidecesBarras(datosAnalisis& d)
{
    sumaDeBloques suma;
    suma.empezar(d.N, barra.size());
    for (objBarra3d& b : barra) {
        VectorXi g = b.getGdl();
        if (!b.getBoolRigidez()) {
            // sin sección o sin material no hay rigidez: se nombra la barra
            return "No están definidas E, poisson, o Sección del Elemento: "
                   + std::to_string(b.getNoBarraUsuario());
        }
        MatrixXd Kg = b.getKGlobal();
        if (Kg.rows() != 12 || Kg.cols() != 12 || !Kg.allFinite()) {
            return lineaBarra("la rigidez de ", b, " no es finita");
        }
        suma.sumar(g, Kg);
    }
    suma.armar(d.kCompleta, d.escala);
    return "";
}

// Paso 3: cargas puntuales combinadas de los nudos. Cada nudo es dueño de sus
// seis filas (revisado antes): cada entrada se escribe una vez.
void ensamblarCargasNudos(const datosAnalisis& d)
{
    pEstructura.resize(d.N, d.nc);
    for (objNudo3d& n : nudo) {
        MatrixXd Q = n.getCargasCombo();
        VectorXi g = n.getGdl();
        for (int c = 0; c < d.nc; c++) {
            for (int i = 0; i < 6; i++) {
                pEstructura(g(i) - 1, c) = Q(i, c);
            }
        }
    }
}

// Paso 4: cargas equivalentes de las barras, en globales
std::string ensamblarCargasBarras(const datosAnalisis& d)
{
    fEstructura.resize(d.N, d.nc);
    fEstructura.setZero();
    for (objBarra3d& b : barra) {
        VectorXi g = b.getGdl();
        MatrixXd E = b.getCargasEquivalentesGlobales();
        if (E.rows() != 12 || E.cols() < d.nc) {
            return lineaBarra("", b, " no tiene cargas equivalentes de todos los combos");
        }
        for (int c = 0; c < d.nc; c++) {
            for (int i = 0; i < 12; i++) {
                fEstructura(g(i) - 1, c) += E(i, c);
            }
        }
    }
    return "";
}

matrizDispersa bloqueDeLibres(const datosAnalisis& d, const matrizDispersa& completa)
{
    const Eigen::Index nf = static_cast<Eigen::Index>(d.libres.size());
    std::vector<Eigen::Triplet<double>> bloque;
    bloque.reserve(static_cast<size_t>(completa.nonZeros() / 2 + nf));
    for (Eigen::Index b = 0; b < nf; b++) {
        Eigen::Index columna = d.libres[static_cast<size_t>(b)];
        for (matrizDispersa::InnerIterator it(completa, columna); it; ++it) {
            int a = d.posicionLibre[static_cast<size_t>(it.row())];
            if (a >= b) {
                bloque.emplace_back(a, b, it.value());
            }
        }
    }
    matrizDispersa K(nf, nf);
    K.setFromTriplets(bloque.begin(), bloque.end());
    return K;
}

Eigen::Index gdlSinRigidez(const datosAnalisis& d, const matrizDispersa& bloque,
                           const Eigen::VectorXd& escala)
{
    Eigen::VectorXd diagonal = bloque.diagonal();
    for (Eigen::Index a = 0; a < diagonal.size(); a++) {
        Eigen::Index fila = d.libres[static_cast<size_t>(a)];
        if (!(diagonal(a) > tolRigidezNula * escala(fila))) {
            return fila;
        }
    }
    return -1;
}

// Paso 7 en disperso: el triángulo inferior del bloque libre, tomado de la
// rigidez dispersa, con las cargas de cada grado libre
void armarBloqueLibre(datosAnalisis& d)
{
    d.kLibres = bloqueDeLibres(d, d.kCompleta);
    const Eigen::Index nf = d.kLibres.rows();
    d.uLibres.resize(nf, d.nc);
    for (Eigen::Index a = 0; a < nf; a++) {
        Eigen::Index fila = d.libres[static_cast<size_t>(a)];
        for (int c = 0; c < d.nc; c++) {
            d.uLibres(a, c) = pEstructura(fila, c) + fEstructura(fila, c);
        }
    }
}

namespace {

// Escribe las columnas [desde, hasta) de la rigidez densa con todos los
// núcleos, cada hilo las suyas: cada entrada una vez, con su valor de la
// dispersa o con cero, y sale igual con cualquier cantidad de hilos
void escribirColumnas(const datosAnalisis& d, Eigen::Index desde, Eigen::Index hasta)
{
    const Eigen::Index N = d.N;
    double* datos = kEstructura.data();
    repartirEnNucleos(hasta - desde, [&](long a, long b) {
        for (Eigen::Index j = desde + a; j < desde + b; j++) {
            double* columna = datos + j * N;
            Eigen::Index fila = 0;
            for (matrizDispersa::InnerIterator it(d.kCompleta, j); it; ++it) {
                std::fill(columna + fila, columna + it.row(), 0.0);
                columna[it.row()] = it.value();
                fila = it.row() + 1;
            }
            std::fill(columna + fila, columna + N, 0.0);
        }
    });
}

// Páginas grandes a partir de la columna desde
void paginasGrandesDesde(Eigen::Index desde, Eigen::Index hasta, Eigen::Index N)
{
    pedirPaginasGrandes(kEstructura.data() + desde * N,
                        sizeof(double) * static_cast<size_t>((hasta - desde) * N));
}

}  // namespace

// Pasos 1 y 2 en la matriz densa que leen el informe y quien la pida, en una
// sola pasada y con todos los núcleos: la primera escritura de la memoria
// nueva es casi todo lo que cuesta. Las páginas grandes fueron más rápidas en
// unos equipos y tres veces más lentas en otros, así que se miden aquí: cuatro
// muestras de la matriz nueva (un 1 % cada una, de 16 a 64 MB), alternadas
// con páginas grandes y normales, y el resto como las más rápidas (las
// grandes, solo si ganan por más de un 20 %).
bool ensamblarRigidezDensa(const datosAnalisis& d)
{
    const Eigen::Index N = d.N;
    const bool nueva = kEstructura.rows() != N || kEstructura.cols() != N;
    kEstructura.resize(N, N);
    if (N == 0) {
        return false;
    }
    const double bytesColumna = 8.0 * static_cast<double>(N);
    const double bytesMuestra = std::clamp(0.01 * bytesColumna * static_cast<double>(N), 16e6, 64e6);
    const Eigen::Index muestra = static_cast<Eigen::Index>(bytesMuestra / bytesColumna) + 1;
    if (!nueva || 8 * muestra > N) {
        escribirColumnas(d, 0, N);
        return false;
    }
    repartirEnNucleos(0, [](long, long) {});  // los hilos ya creados no cuentan
    double segundos[2] = {0, 0};  // con páginas grandes, con normales
    for (int k = 0; k < 4; k++) {
        const bool grandes = k % 2 == 0;
        if (grandes) {
            paginasGrandesDesde(k * muestra, (k + 1) * muestra, N);
        }
        std::chrono::steady_clock::time_point inicio = std::chrono::steady_clock::now();
        escribirColumnas(d, k * muestra, (k + 1) * muestra);
        segundos[grandes ? 0 : 1] += segundosDesde(inicio);
    }
    const bool conGrandes = segundos[0] < 0.8 * segundos[1];
    if (conGrandes) {
        paginasGrandesDesde(4 * muestra, N, N);
    }
    escribirColumnas(d, 4 * muestra, N);
    return conGrandes;
}

}  // namespace analisis
