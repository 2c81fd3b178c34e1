// Análisis de la estructura: casos con fórmula cerrada de vigas y pórticos,
// equilibrio de reacciones y cargas, superposición de combos, repetición y
// casos borde de apoyos y combos.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "ayuda_estructura.h"

namespace {

using ayuda::combo;
using ayuda::empotrado;
using ayuda::libre;
using ayuda::material;
using ayuda::modelo;
using ayuda::seccion;
using ayuda::Vector6d;
using Eigen::Vector3d;

using ayuda::acero;
using ayuda::perfil;
const Vector3d abajo(0, 0, -1);

enum tipoValor { despl, reacc, fuerzaExtremo };
const char* const nombreTipo[] = {"desplazamiento", "reacción", "fuerza en extremo"};

struct esperado {
    tipoValor tipo;
    int indice;      // nudo o barra
    int componente;  // 0..5 en nudos, 0..11 en barras
    int combo;
    double valor;
};

struct casoCerrado {
    const char* nombre;
    std::function<std::vector<esperado>(modelo&)> armar;
    double tolerancia;  // relativa al mayor valor esperado de su tipo
};

double valorCalculado(const esperado& e)
{
    switch (e.tipo) {
    case despl:
        return ayuda::desplazamientos(e.indice, e.combo)(e.componente);
    case reacc:
        return ayuda::reaccion(e.indice, e.combo)(e.componente);
    default:
        return barra[e.indice].getFuerzasExtremos()(e.componente, e.combo);
    }
}

// Los seis valores de un nudo, de una vez
void seis(std::vector<esperado>& v, tipoValor t, int nudoK, int c, Vector6d valores)
{
    for (int i = 0; i < 6; i++) {
        v.push_back({t, nudoK, i, c, valores(i)});
    }
}

Vector6d vec6(double a, double b, double c, double d, double e, double f)
{
    Vector6d v;
    v << a, b, c, d, e, f;
    return v;
}

// Voladizo horizontal a lo largo de x con fijación parcial a en su raíz
// (plano vertical): resorte a/(1-a)·EI/L en serie con la ménsula.
std::vector<esperado> voladizoParcial(modelo& m, double a)
{
    double L = 3, P = 10, q = 4, E = acero.E, I = perfil.Iz;
    int n0 = m.nudoEn(1, 0, 0, 0, empotrado);
    int n1 = m.nudoEn(2, L, 0, 0);
    int b = m.barraEntre(1, n0, n1, perfil, acero);
    barra[b].setArticulacion(a, 1, 1, 1);
    m.puntual(n1, "P", 0, 0, -P);
    m.repartidaGlobal(b, "Q", q, q, abajo);
    m.combos({{"C1", {{1, "P"}}}, {"C2", {{1, "Q"}}}});
    double flex = a == 1 ? 0 : (1 - a) / a * L / (E * I);  // giro del resorte por momento
    std::vector<esperado> v;
    seis(v, despl, n1, 0,
         vec6(0, 0, -P * L * L * L / (3 * E * I) - P * L * flex * L, 0,
              P * L * L / (2 * E * I) + P * L * flex, 0));
    seis(v, reacc, n0, 0, vec6(0, 0, P, 0, -P * L, 0));
    double M0 = q * L * L / 2;  // momento de la raíz con la carga repartida
    seis(v, despl, n1, 1,
         vec6(0, 0, -q * std::pow(L, 4) / (8 * E * I) - M0 * flex * L, 0,
              q * L * L * L / (6 * E * I) + M0 * flex, 0));
    seis(v, reacc, n0, 1, vec6(0, 0, q * L, 0, -M0, 0));
    return v;
}

const casoCerrado casosCerrados[] = {
    {"voladizo con carga en la punta",
     [](modelo& m) {
         // P en la punta, L = 3; la flexión vertical de una barra en x usa Iz
         double L = 3, P = 10, EI = acero.E * perfil.Iz;
         int n0 = m.nudoEn(1, 0, 0, 0, empotrado);
         int n1 = m.nudoEn(2, L, 0, 0);
         int b = m.barraEntre(1, n0, n1, perfil, acero);
         m.puntual(n1, "P", 0, 0, -P);
         m.combos({{"C1", {{1, "P"}}}});
         std::vector<esperado> v;
         seis(v, reacc, n0, 0, vec6(0, 0, P, 0, -P * L, 0));
         seis(v, despl, n1, 0, vec6(0, 0, -P * L * L * L / (3 * EI), 0, P * L * L / (2 * EI), 0));
         seis(v, reacc, n1, 0, vec6(0, 0, 0, 0, 0, 0));
         // extremo i en ejes locales (y = Z global, z = -Y global): la reacción
         v.push_back({fuerzaExtremo, b, 1, 0, P});
         v.push_back({fuerzaExtremo, b, 5, 0, P * L});
         v.push_back({fuerzaExtremo, b, 7, 0, -P});
         v.push_back({fuerzaExtremo, b, 11, 0, 0});
         return v;
     },
     1e-9},
    {"ménsula apuntalada con carga repartida",
     [](modelo& m) {
         double L = 5, q = 6, EI = acero.E * perfil.Iz;
         int n0 = m.nudoEn(1, 0, 0, 0, empotrado);
         int n1 = m.nudoEn(2, L, 0, 0, {0, 0, 1, 0, 0, 0});
         int b = m.barraEntre(1, n0, n1, perfil, acero);
         m.repartidaGlobal(b, "Q", q, q, abajo);
         m.combos({{"C1", {{1, "Q"}}}});
         std::vector<esperado> v;
         seis(v, reacc, n0, 0, vec6(0, 0, 5 * q * L / 8, 0, -q * L * L / 8, 0));
         seis(v, reacc, n1, 0, vec6(0, 0, 3 * q * L / 8, 0, 0, 0));
         seis(v, despl, n1, 0, vec6(0, 0, 0, 0, -q * L * L * L / (48 * EI), 0));
         return v;
     },
     1e-9},
    {"viga biempotrada: repartida y carga al centro",
     [](modelo& m) {
         double L = 8, q = 3, P = 20, EI = acero.E * perfil.Iz;
         int n0 = m.nudoEn(1, 0, 0, 0, empotrado);
         int n1 = m.nudoEn(2, L / 2, 0, 0);
         int n2 = m.nudoEn(3, L, 0, 0, empotrado);
         int b0 = m.barraEntre(1, n0, n1, perfil, acero);
         int b1 = m.barraEntre(2, n1, n2, perfil, acero);
         m.repartidaGlobal(b0, "Q", q, q, abajo);
         m.repartidaGlobal(b1, "Q", q, q, abajo);
         m.puntual(n1, "P", 0, 0, -P);
         m.combos({{"C1", {{1, "Q"}}}, {"C2", {{1, "P"}}}});
         std::vector<esperado> v;
         seis(v, reacc, n0, 0, vec6(0, 0, q * L / 2, 0, -q * L * L / 12, 0));
         seis(v, reacc, n2, 0, vec6(0, 0, q * L / 2, 0, q * L * L / 12, 0));
         seis(v, despl, n1, 0, vec6(0, 0, -q * std::pow(L, 4) / (384 * EI), 0, 0, 0));
         seis(v, reacc, n0, 1, vec6(0, 0, P / 2, 0, -P * L / 8, 0));
         seis(v, reacc, n2, 1, vec6(0, 0, P / 2, 0, P * L / 8, 0));
         seis(v, despl, n1, 1, vec6(0, 0, -P * L * L * L / (192 * EI), 0, 0, 0));
         return v;
     },
     1e-9},
    {"pórtico empotrado con carga lateral",
     [](modelo& m) {
         // Columnas axialmente rígidas: la fórmula cerrada desprecia su acortamiento
         double h = 3, b = 6, H = 40, E = acero.E;
         seccion columna{1e4, 1e-4, 1.5e-4, 2e-4};
         seccion viga{0.02, 1e-4, 3e-4, 2e-4};
         double Ic = columna.Iz, Ib = viga.Iz;  // flexión en el plano x-z del pórtico
         double k = (Ib / b) / (Ic / h);
         int a0 = m.nudoEn(1, 0, 0, 0, empotrado);
         int a1 = m.nudoEn(2, b, 0, 0, empotrado);
         int t0 = m.nudoEn(3, 0, 0, h);
         int t1 = m.nudoEn(4, b, 0, h);
         m.barraEntre(1, a0, t0, columna, acero);
         m.barraEntre(2, a1, t1, columna, acero);
         m.barraEntre(3, t0, t1, viga, acero);
         m.puntual(t0, "H", H / 2, 0, 0);
         m.puntual(t1, "H", H / 2, 0, 0);
         m.combos({{"C1", {{1, "H"}}}});
         double desplome = H * h * h * h * (2 + 3 * k) / (12 * E * Ic * (1 + 6 * k));
         double Mbase = -H * h * (1 + 3 * k) / (2 * (1 + 6 * k));
         double V = 3 * k * H * h / (b * (1 + 6 * k));
         std::vector<esperado> v;
         seis(v, reacc, a0, 0, vec6(-H / 2, 0, -V, 0, Mbase, 0));
         seis(v, reacc, a1, 0, vec6(-H / 2, 0, V, 0, Mbase, 0));
         v.push_back({despl, t0, 0, 0, desplome});
         v.push_back({despl, t1, 0, 0, desplome});
         v.push_back({despl, t0, 1, 0, 0});
         return v;
     },
     1e-7},
    {"parrilla en L con torsión",
     [](modelo& m) {
         // La carga en C tuerce la barra AB con P·L2 y la flecta; BC es ménsula
         double L1 = 4, L2 = 2.5, P = 12, E = acero.E, G = acero.G();
         seccion s1{0.01, 8e-5, 1.2e-4, 5e-5};
         seccion s2{0.008, 6e-5, 9e-5, 3e-5};
         int a = m.nudoEn(1, 0, 0, 0, empotrado);
         int bN = m.nudoEn(2, L1, 0, 0);
         int c = m.nudoEn(3, L1, L2, 0);
         m.barraEntre(1, a, bN, s1, acero);
         m.barraEntre(2, bN, c, s2, acero);
         m.puntual(c, "P", 0, 0, -P);
         m.combos({{"C1", {{1, "P"}}}});
         double flechaB = P * L1 * L1 * L1 / (3 * E * s1.Iz);
         double flechaC = flechaB + P * L2 * L2 * L2 / (3 * E * s2.Iz)
                          + P * L2 * L2 * L1 / (G * s1.J);
         std::vector<esperado> v;
         seis(v, reacc, a, 0, vec6(0, 0, P, P * L2, -P * L1, 0));
         v.push_back({despl, bN, 2, 0, -flechaB});
         v.push_back({despl, bN, 3, 0, -P * L2 * L1 / (G * s1.J)});
         v.push_back({despl, c, 2, 0, -flechaC});
         return v;
     },
     1e-9},
    {"viga con rótula (fijación 0) apoyada en una ménsula",
     [](modelo& m) {
         // BC es simplemente apoyada entre la rótula en B y el apoyo en C
         double L1 = 3, L2 = 5, q = 8, EI = acero.E * perfil.Iz;
         int a = m.nudoEn(1, 0, 0, 0, empotrado);
         int bN = m.nudoEn(2, L1, 0, 0);
         int c = m.nudoEn(3, L1 + L2, 0, 0, {0, 0, 1, 0, 0, 0});
         m.barraEntre(1, a, bN, perfil, acero);
         int bc = m.barraEntre(2, bN, c, perfil, acero);
         barra[bc].setArticulacion(0, 1, 1, 1);
         m.repartidaGlobal(bc, "Q", q, q, abajo);
         m.combos({{"C1", {{1, "Q"}}}});
         double V = q * L2 / 2;
         std::vector<esperado> v;
         seis(v, reacc, a, 0, vec6(0, 0, V, 0, -V * L1, 0));
         seis(v, reacc, c, 0, vec6(0, 0, V, 0, 0, 0));
         seis(v, despl, bN, 0,
              vec6(0, 0, -V * L1 * L1 * L1 / (3 * EI), 0, V * L1 * L1 / (2 * EI), 0));
         v.push_back({fuerzaExtremo, bc, 5, 0, 0});   // sin momento en la rótula
         v.push_back({fuerzaExtremo, bc, 11, 0, 0});  // ni en el apoyo simple
         v.push_back({fuerzaExtremo, bc, 1, 0, V});
         return v;
     },
     1e-9},
    {"voladizo con fijación parcial 0.75", [](modelo& m) { return voladizoParcial(m, 0.75); },
     1e-9},
    {"voladizo con fijación parcial 0.5", [](modelo& m) { return voladizoParcial(m, 0.5); },
     1e-9},
    {"voladizo con fijación parcial 0.2", [](modelo& m) { return voladizoParcial(m, 0.2); },
     1e-9},
};

// Equilibrio global de cada combo con tolerancia relativa
void comprobarEquilibrio(const modelo& m, const std::string& nombre, double tol)
{
    for (int c = 0; c < noCombos; c++) {
        double escala = 0;
        Vector6d r = m.desequilibrio(c, escala);
        EXPECT_LT(r.head<3>().norm(), tol * escala) << nombre << ", combo " << c;
        // momentos: la escala de fuerzas por el tamaño del modelo
        double tam = 1;
        for (size_t k = 0; k < nudo.size(); k++) {
            tam = std::max(tam, m.posicion(static_cast<int>(k)).norm());
        }
        EXPECT_LT(r.tail<3>().norm(), tol * escala * tam)
            << nombre << ", combo " << c;
    }
}

}  // namespace

TEST(AnalisisCerrado, VigasYPorticosContraFormulas)
{
    for (const casoCerrado& caso : casosCerrados) {
        SCOPED_TRACE(caso.nombre);
        modelo m;
        std::vector<esperado> valores = caso.armar(m);
        bool bien = false;
        std::string salida = capturarSalida([&] { bien = funcionSolve(); });
        ASSERT_TRUE(bien) << mensajeAnalisis;
        EXPECT_EQ(salida, "");
        EXPECT_EQ(mensajeAnalisis, "");

        double mayor[3] = {0, 0, 0};
        for (const esperado& e : valores) {
            mayor[e.tipo] = std::max(mayor[e.tipo], std::abs(e.valor));
        }
        for (const esperado& e : valores) {
            double tol = caso.tolerancia * std::max(std::abs(e.valor), mayor[e.tipo]);
            EXPECT_NEAR(valorCalculado(e), e.valor, tol)
                << nombreTipo[e.tipo] << " " << e.indice << ", componente " << e.componente
                << ", combo " << e.combo;
        }
        comprobarEquilibrio(m, caso.nombre, 1e-9);

        // Una segunda corrida da exactamente lo mismo
        MatrixXd u1 = u, r1 = reacciones;
        ASSERT_TRUE(funcionSolve());
        EXPECT_TRUE(u == u1);
        EXPECT_TRUE(reacciones == r1);
    }
}
