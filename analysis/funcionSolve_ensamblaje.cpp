// Ensamblaje: rigidez de cada barra, cargas de nudos y barras, códigos de
// apoyo, grados libres, el bloque libre disperso y la rigidez densa.
#include <string>
#include <vector>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"

namespace analisis {

namespace {

using triplete = Eigen::Triplet<double>;

// "Análisis cancelado: <antes>la barra N<despues>"
std::string lineaBarra(const char* antes, objBarra3d& b, const char* despues)
{
    return std::string("Análisis cancelado: ") + antes + "la barra "
           + std::to_string(b.getNoBarraUsuario()) + despues;
}

}  // namespace

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
// estructura se arma dispersa, directo de los bloques de 12 x 12; los
// repetidos se suman en el orden de las barras, como en la densa. La escala
// de cada fila suma la traza de los bloques 3 x 3 (traslación o giro) de cada
// barra en ese nudo, que no depende de cómo esté girada la barra. Devuelve la
// línea del problema o vacía.
std::string leerRigidecesBarras(datosAnalisis& d)
{
    std::vector<triplete> tripletes;
    tripletes.reserve(barra.size() * 144);
    d.escala.setZero(d.N);
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
        for (int j = 0; j < 12; j++) {
            for (int i = 0; i < 12; i++) {
                tripletes.emplace_back(g(i) - 1, g(j) - 1, Kg(i, j));
            }
        }
        for (int t = 0; t < 12; t += 3) {
            double traza = Kg(t, t) + Kg(t + 1, t + 1) + Kg(t + 2, t + 2);
            for (int i = t; i < t + 3; i++) {
                d.escala(g(i) - 1) += traza;
            }
        }
    }
    d.kCompleta.resize(d.N, d.N);
    d.kCompleta.setFromTriplets(tripletes.begin(), tripletes.end());
    return "";
}

// Paso 3: cargas puntuales combinadas de los nudos
void ensamblarCargasNudos(const datosAnalisis& d)
{
    pEstructura.setZero(d.N, d.nc);
    for (objNudo3d& n : nudo) {
        MatrixXd Q = n.getCargasCombo();
        VectorXi g = n.getGdl();
        for (int c = 0; c < d.nc; c++) {
            for (int i = 0; i < 6; i++) {
                pEstructura(g(i) - 1, c) += Q(i, c);
            }
        }
    }
}

// Paso 4: cargas equivalentes de las barras, en globales
std::string ensamblarCargasBarras(const datosAnalisis& d)
{
    fEstructura.setZero(d.N, d.nc);
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

// Paso 7 en disperso: el triángulo inferior del bloque libre, tomado de la
// rigidez dispersa, con las cargas de cada grado libre
void armarBloqueLibre(datosAnalisis& d)
{
    const Eigen::Index nf = static_cast<Eigen::Index>(d.libres.size());
    std::vector<triplete> bloque;
    bloque.reserve(static_cast<size_t>(d.kCompleta.nonZeros() / 2 + nf));
    for (Eigen::Index b = 0; b < nf; b++) {
        Eigen::Index columna = d.libres[static_cast<size_t>(b)];
        for (matrizDispersa::InnerIterator it(d.kCompleta, columna); it; ++it) {
            int a = d.posicionLibre[static_cast<size_t>(it.row())];
            if (a >= b) {
                bloque.emplace_back(a, b, it.value());
            }
        }
    }
    d.kLibres.resize(nf, nf);
    d.kLibres.setFromTriplets(bloque.begin(), bloque.end());

    d.uLibres.resize(nf, d.nc);
    for (Eigen::Index a = 0; a < nf; a++) {
        Eigen::Index fila = d.libres[static_cast<size_t>(a)];
        for (int c = 0; c < d.nc; c++) {
            d.uLibres(a, c) = pEstructura(fila, c) + fEstructura(fila, c);
        }
    }
}

// Pasos 1 y 2 en la matriz densa que leen el informe y quien la pida: columna
// por columna, cada una en cero y con sus valores de la dispersa
void ensamblarRigidezDensa(const datosAnalisis& d)
{
    kEstructura.resize(d.N, d.N);
    for (Eigen::Index j = 0; j < d.N; j++) {
        auto columna = kEstructura.col(j);
        columna.setZero();
        for (matrizDispersa::InnerIterator it(d.kCompleta, j); it; ++it) {
            columna(it.row()) = it.value();
        }
    }
}

}  // namespace analisis
