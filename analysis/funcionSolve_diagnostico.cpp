// Por qué no se resuelve una estructura. Un mecanismo es un movimiento que
// ninguna barra resiste, y eso no depende de cuán rígidas sean: si cada barra
// se cambia por otra con pesos de uno en lo que no deja mover (sus vínculos),
// los mecanismos son los mismos y la matriz queda bien condicionada. Si los
// vínculos no tienen mecanismo, lo que falló fue la doble precisión frente a
// rigideces muy dispares, y la línea nombra las barras que chocan.
#include <algorithm>
#include <cmath>
#include <iomanip>
#include <string>

#include <Eigen/QR>

#include "analysis/analisis_interno.h"
#include "app/zurezar3o.h"

namespace analisis {

namespace {

const char* const nombreDireccion[6] = {"ux", "uy", "uz", "rx", "ry", "rz"};

// Razón de rigideces que la doble precisión resuelve con holgura: con la
// unidad de redondeo (1.1e-16) deja unas 6 cifras
const double razonAdmisible = 1e10;
// Las barras del nudo se nombran si chocan al menos una milésima de lo que
// chocan las que más chocan en la estructura
const double razonComparable = 1e3;

using matriz12 = Eigen::Matrix<double, 12, 12>;

// Suma en P (12 x 12, ejes locales) el proyector sobre lo que no es
// movimiento libre en los grados idx: la identidad menos el proyector sobre
// los movimientos libres dados en columnas
void sumarVinculo(matriz12& P, const int* idx, const MatrixXd& movimientos)
{
    const Eigen::Index n = movimientos.rows();
    MatrixXd vinculo = MatrixXd::Identity(n, n);
    Eigen::ColPivHouseholderQR<MatrixXd> qr(movimientos);
    MatrixXd Q = qr.householderQ() * MatrixXd::Identity(n, qr.rank());
    vinculo -= Q * Q.transpose();
    for (Eigen::Index a = 0; a < n; a++) {
        for (Eigen::Index b = 0; b < n; b++) {
            P(idx[a], idx[b]) += vinculo(a, b);
        }
    }
}

// Vínculos de una barra en ejes locales, con las traslaciones divididas por
// un largo: la de la barra divididas por largoEscala y llevadas después a
// la variable común, las traslaciones divididas por largoRef. Cada grupo de
// la rigidez local (axial, torsión y los dos planos de flexión) que no es
// nulo deja libres solo los movimientos de cuerpo rígido y los giros de sus
// extremos sin rigidez.
matriz12 vinculosLocales(const MatrixXd& kl, double largo, double largoEscala, double largoRef)
{
    matriz12 P = matriz12::Zero();
    const double brazo = largo / largoEscala;
    if (kl(0, 0) != 0) {
        const int idx[2] = {0, 6};
        sumarVinculo(P, idx, Eigen::Vector2d(1, 1));
    }
    if (kl(3, 3) != 0) {
        const int idx[2] = {3, 9};
        sumarVinculo(P, idx, Eigen::Vector2d(1, 1));
    }
    // plano x-y (uy, rz): girar rz lleva el extremo final hacia +y; plano
    // x-z (uz, ry): girar ry lo lleva hacia -z
    const int planos[2][4] = {{1, 5, 7, 11}, {2, 4, 8, 10}};
    for (int p = 0; p < 2; p++) {
        const int* idx = planos[p];
        bool giroInicio = kl(idx[1], idx[1]) != 0, giroFin = kl(idx[3], idx[3]) != 0;
        if (kl(idx[0], idx[0]) == 0 && !giroInicio && !giroFin) {
            continue;
        }
        MatrixXd movimientos = MatrixXd::Zero(4, 4);
        Eigen::Index k = 0;
        movimientos.col(k++) << 1, 0, 1, 0;
        movimientos.col(k++) << 0, 1, (p == 0 ? brazo : -brazo), 1;
        if (!giroInicio) {
            movimientos.col(k++) << 0, 1, 0, 0;
        }
        if (!giroFin) {
            movimientos.col(k++) << 0, 0, 0, 1;
        }
        sumarVinculo(P, idx, movimientos.leftCols(k));
    }
    if (largoEscala != largoRef) {
        Eigen::Matrix<double, 12, 1> D = Eigen::Matrix<double, 12, 1>::Ones();
        for (int i : {0, 1, 2, 6, 7, 8}) {
            D(i) = largoRef / largoEscala;
        }
        P = D.asDiagonal() * P * D.asDiagonal();
    }
    return P;
}

// El largo de la barra más larga: las traslaciones divididas por él quedan
// del orden de los giros
double largoDeReferencia()
{
    double largo = 0;
    for (objBarra3d& b : barra) {
        if (std::isfinite(b.getLongitud())) {
            largo = std::max(largo, b.getLongitud());
        }
    }
    return largo > 0 ? largo : 1;
}

// Una rigidez propia de una barra: la diagonal de su rigidez local en el
// extremo de un nudo
struct rigidezPropia {
    double valor = 0;
    int barra = 0;  // número del usuario
    int indice = 0; // 0 a 5 en el extremo: ux uy uz rx ry rz locales
};

const char* nombreRigidez(int indice)
{
    return indice == 0 ? "axial" : indice == 3 ? "a torsión" : "a flexión";
}

// La mayor y la menor rigidez propia (positivas) de traslación (tipo 0) o
// de giro (tipo 1) de las barras que llegan al nudo, o de todas (nudo < 0)
void rigidecesExtremas(int nudoInterno, int tipo, rigidezPropia& mayor, rigidezPropia& menor)
{
    mayor = rigidezPropia();
    menor = rigidezPropia();
    for (objBarra3d& b : barra) {
        MatrixXd kl = b.getKLocal();
        for (int extremo = 0; extremo < 2; extremo++) {
            int n = extremo == 0 ? b.getNudoInicioInterno() : b.getNudoFinalInterno();
            if (nudoInterno >= 0 && n != nudoInterno) {
                continue;
            }
            for (int i = 3 * tipo; i < 3 * tipo + 3; i++) {
                double k = kl(6 * extremo + i, 6 * extremo + i);
                if (!(k > 0) || !std::isfinite(k)) {
                    continue;
                }
                if (mayor.valor == 0 || k > mayor.valor) {
                    mayor = {k, b.getNoBarraUsuario(), i};
                }
                if (menor.valor == 0 || k < menor.valor) {
                    menor = {k, b.getNoBarraUsuario(), i};
                }
            }
        }
    }
}

double razon(const rigidezPropia& mayor, const rigidezPropia& menor)
{
    return menor.valor > 0 ? mayor.valor / menor.valor : 0;
}

}  // namespace

std::string nudoYDireccion(Eigen::Index fila)
{
    textoLinea t;
    t << "el nudo " << nudo[static_cast<size_t>(fila / 6)].getNoNudoUsuario() << ", dirección "
      << nombreDireccion[fila % 6];
    return t.str();
}

namespace {

// Decide con los vínculos, cada barra con sus traslaciones divididas por su
// propio largo (propio) o todas por el de la barra más larga
diagnostico examinarVinculos(const datosAnalisis& d, double topeBytes, bool propio)
{
    const double largoRef = largoDeReferencia();
    sumaDeBloques suma;
    suma.empezar(d.N, barra.size());
    for (objBarra3d& b : barra) {
        double largo = b.getLongitud();
        matriz12 local = vinculosLocales(b.getKLocal(), largo,
                                         propio && largo > 0 ? largo : largoRef, largoRef);
        if (local.isZero(0) || !local.allFinite()) {
            continue;  // sin rigidez (largo nulo): no vincula nada
        }
        MatrixXd T = b.getT();
        suma.sumar(b.getGdl(), T.transpose() * local * T);
    }
    matrizDispersa completa;
    Eigen::VectorXd escala;
    suma.armar(completa, escala);
    matrizDispersa bloque = bloqueDeLibres(d, completa);
    completa.resize(0, 0);

    diagnostico r;
    r.fila = gdlSinRigidez(d, bloque, escala);
    if (r.fila >= 0) {
        r.causa = causaFalla::sinRigidez;
        return r;
    }
    Eigen::MatrixXd sinCargas(bloque.rows(), 0);
    switch (resolverBloqueLibre(bloque, sinCargas, topeBytes).estado) {
    case estadoFactorizacion::resuelto:
        r.causa = causaFalla::estable;
        break;
    case estadoFactorizacion::mecanismo:
    case estadoFactorizacion::noFinita:
        r.causa = causaFalla::mecanismo;
        r.fila = d.libres[static_cast<size_t>(
            gdlQueNombraElMecanismo(bloque, sinCargas, topeBytes))];
        break;
    case estadoFactorizacion::sinMemoria:
    case estadoFactorizacion::falla:
        break;
    }
    return r;
}

}  // namespace

// Un mecanismo no depende de cómo se pesen los vínculos; el redondeo sí.
// Con las traslaciones de cada barra divididas por su propio largo ninguna
// escala del modelo pesa (un voladizo de 1e7 junto a un pórtico de 6 m), y
// con todas divididas por el largo mayor no pesa la razón de largos en un
// nudo (un tramo de 1e-7 rotulado junto a barras de metros). Solo es
// mecanismo lo que las dos ven, y lo nombra la primera, que no depende de
// la escala.
diagnostico diagnosticarVinculos(const datosAnalisis& d, double topeBytes)
{
    diagnostico propio = examinarVinculos(d, topeBytes, true);
    if (propio.causa == causaFalla::estable || propio.causa == causaFalla::indeterminada) {
        return propio;
    }
    diagnostico uniforme = examinarVinculos(d, topeBytes, false);
    return uniforme.causa == causaFalla::estable ? uniforme : propio;
}

namespace {

// Las barras cuyas rigideces chocan: las del nudo del grado (traslación o
// giro, como el grado), salvo que en toda la estructura choquen mucho más
struct choque {
    rigidezPropia mayor, menor;
    double razon = 0;
};

choque barrasQueChocan(Eigen::Index fila)
{
    choque enNudo, global, globalGiro;
    if (fila >= 0) {
        rigidecesExtremas(static_cast<int>(fila / 6), static_cast<int>(fila % 6) / 3, enNudo.mayor,
                          enNudo.menor);
        enNudo.razon = razon(enNudo.mayor, enNudo.menor);
    }
    rigidecesExtremas(-1, 0, global.mayor, global.menor);
    rigidecesExtremas(-1, 1, globalGiro.mayor, globalGiro.menor);
    global.razon = razon(global.mayor, global.menor);
    globalGiro.razon = razon(globalGiro.mayor, globalGiro.menor);
    if (globalGiro.razon > global.razon) {
        global = globalGiro;
    }
    return enNudo.razon * razonComparable >= global.razon ? enNudo : global;
}

// Exponente de la razón que dejaría cifrasAviso cifras, si el error crece
// como la razón: la de ahora por 10^(cifras - 6), nunca más de 1e10. Sin
// cifras estimadas (cifras < 0, no hubo solución) se supone que no queda
// ninguna. Menos de 1 (un décimo): la razón sola no lo explica.
int exponenteObjetivo(double r, double cifras)
{
    double objetivo = r * std::pow(10.0, std::max(cifras, 0.0) - cifrasAviso);
    return static_cast<int>(std::floor(std::log10(std::min(objetivo, razonAdmisible))));
}

// Línea de pocas cifras: su comienzo, dónde, las barras que chocan ("la
// rigidez axial de la barra 2 (1.7e+19) es 2.3e+15 veces la rigidez a
// flexión de la barra 3 (7.1e+03)") y el consejo con la razón que dejaría 6
// cifras (o, si la razón sola no lo explica, sinConsejo); sin barras que
// choquen, sinBarras
std::string lineaConChoque(const std::string& comienzo, Eigen::Index fila, double cifras,
                           const char* consejo, const char* sinConsejo, const char* sinBarras)
{
    choque c = barrasQueChocan(fila);
    textoLinea t;
    t << std::setprecision(2) << comienzo;
    if (fila >= 0) {
        t << "en " << nudoYDireccion(fila) << ", ";
    }
    if (!(c.razon > 0)) {
        t << sinBarras;
        return t.str();
    }
    t << "la rigidez " << nombreRigidez(c.mayor.indice) << " de la barra " << c.mayor.barra << " ("
      << c.mayor.valor << ") es " << c.razon << " veces la rigidez "
      << nombreRigidez(c.menor.indice) << " de la barra " << c.menor.barra << " ("
      << c.menor.valor << ")";
    int exponente = exponenteObjetivo(c.razon, cifras);
    if (exponente >= 1) {
        t << consejo << exponente;
    } else {
        t << sinConsejo;
    }
    return t.str();
}

}  // namespace

std::string lineaMalCondicionada(Eigen::Index fila, double cifras)
{
    return lineaConChoque(
        "Estructura mal condicionada, no es un mecanismo: ", fila, cifras,
        ", más de lo que distingue la doble precisión; llevar esa razón por debajo de 1e",
        " y la doble precisión no alcanza; revisar esas barras y su geometría",
        "la doble precisión no alcanza; revisar las rigideces de las barras");
}

std::string lineaPocasCifras(Eigen::Index fila, double cifras)
{
    textoLinea comienzo;
    comienzo << "Advertencia: resultados con solo unas " << static_cast<int>(std::floor(cifras))
             << " cifras significativas confiables: ";
    return lineaConChoque(comienzo.str(), fila, cifras,
                          "; para tener 6 cifras, llevar esa razón por debajo de 1e",
                          "; revisar esas barras y su geometría",
                          "revisar las rigideces de las barras");
}

}  // namespace analisis
