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

// Paso 2, primera mitad: cada barra, en orden, da sus grados y su rigidez
// global antes de que se le pidan cargas o se le entreguen resultados.
// Devuelve la línea del problema o vacía.
std::string leerRigidecesBarras(datosAnalisis& d)
{
    d.bloques.clear();
    d.bloques.reserve(barra.size());
    for (objBarra3d& b : barra) {
        VectorXi g = b.getGdl();
        MatrixXd Kg = b.getKGlobal();
        if (Kg.rows() != 12 || Kg.cols() != 12 || !Kg.allFinite()) {
            return lineaBarra("la rigidez de ", b, " no es finita");
        }
        d.bloques.push_back({g, Kg});
    }
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

// Paso 7, en disperso y directo de los bloques de las barras: el triángulo
// inferior del bloque libre, las columnas libres de la rigidez completa (para
// las reacciones), la escala de rigidez de cada grado libre y sus cargas.
void armarBloqueLibre(datosAnalisis& d)
{
    const Eigen::Index nf = static_cast<Eigen::Index>(d.libres.size());
    std::vector<triplete> bloque, columnas;
    bloque.reserve(d.bloques.size() * 78);
    columnas.reserve(d.bloques.size() * 144);
    // Escala de cada fila: la traza de los bloques 3 x 3 (traslación o giro)
    // de cada barra en ese nudo, que no depende de la orientación de la barra
    Eigen::VectorXd escala = Eigen::VectorXd::Zero(d.N);
    for (const bloqueBarra& b : d.bloques) {
        for (int j = 0; j < 12; j++) {
            int cj = d.posicionLibre[static_cast<size_t>(b.gdl(j) - 1)];
            if (cj < 0) {
                continue;
            }
            for (int i = 0; i < 12; i++) {
                int fi = d.posicionLibre[static_cast<size_t>(b.gdl(i) - 1)];
                columnas.emplace_back(b.gdl(i) - 1, cj, b.k(i, j));
                if (fi >= cj) {
                    bloque.emplace_back(fi, cj, b.k(i, j));
                }
            }
        }
        for (int t = 0; t < 12; t += 3) {
            double traza = b.k(t, t) + b.k(t + 1, t + 1) + b.k(t + 2, t + 2);
            for (int i = t; i < t + 3; i++) {
                escala(b.gdl(i) - 1) += traza;
            }
        }
    }
    d.kLibres.resize(nf, nf);
    d.kLibres.setFromTriplets(bloque.begin(), bloque.end());
    d.kColumnasLibres.resize(d.N, nf);
    d.kColumnasLibres.setFromTriplets(columnas.begin(), columnas.end());

    d.escalaLibres.resize(nf);
    d.uLibres.resize(nf, d.nc);
    for (Eigen::Index a = 0; a < nf; a++) {
        Eigen::Index fila = d.libres[static_cast<size_t>(a)];
        d.escalaLibres(a) = escala(fila);
        for (int c = 0; c < d.nc; c++) {
            d.uLibres(a, c) = pEstructura(fila, c) + fEstructura(fila, c);
        }
    }
}

// Pasos 1 y 2 en la matriz densa que leen el informe y quien la pida
void ensamblarRigidezDensa(const datosAnalisis& d)
{
    kEstructura.setZero(d.N, d.N);
    for (const bloqueBarra& b : d.bloques) {
        for (int j = 0; j < 12; j++) {
            for (int i = 0; i < 12; i++) {
                kEstructura(b.gdl(i) - 1, b.gdl(j) - 1) += b.k(i, j);
            }
        }
    }
}

}  // namespace analisis
