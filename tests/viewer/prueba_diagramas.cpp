// Diagramas de esfuerzos: viga simplemente apoyada con carga uniforme en sus
// dos planos y voladizo con carga en la punta, carga axial y torsor
// distribuido. Los desplazamientos se dan con las fórmulas cerradas de cada
// caso; los diagramas dibujados se comparan con los esfuerzos exactos.
#include <gtest/gtest.h>

#include "viewer/prueba_diagramas_ayuda.h"

using namespace pruebaResultados;

namespace {

// Material y sección: EI = 1e9 en ambos planos, GJ = 8e8, EA = 1e9
const Seccion seccion{1e6, 1e6, 1e6, 2e6, 1000, 0.25};
const double EI = 1e9, GJ = 8e8, EA = 1e9;
const double L = 800;
const double xI = 100, yI = 400, zI = 400;  // extremo i de ambas barras, a lo largo de +X

// Viga simplemente apoyada, carga uniforme qy = 1 hacia -y local (global -Z)
// y qz = 0.5 hacia -z local (global +Y). Giros de extremo exactos.
const double qy = 1, qz = 0.5;
void armarVigaSimple(double factor2 = 0)
{
    armarModelo({{xI, yI, zI}, {xI + L, yI, zI}}, {{0, 1}}, seccion);
    barra[0].setDistribuidaLocalY("Q", -qy, -qy);
    barra[0].setDistribuidaLocalZ("Q", -qz, -qz);
    agregarCombo("C1", 1, "Q");
    int combos = factor2 != 0 ? 2 : 1;
    if (factor2 != 0) agregarCombo("C2", factor2, "Q");
    MatrixXd U = MatrixXd::Zero(12, combos);
    for (int c = 0; c < combos; c++) {
        double f = c == 0 ? 1 : factor2;
        U(4, c) = f * qy * L * L * L / (24 * EI);    // giro Y en i: baja hacia +X
        U(10, c) = -f * qy * L * L * L / (24 * EI);
        U(5, c) = f * qz * L * L * L / (24 * EI);    // giro Z en i: hacia +Y
        U(11, c) = -f * qz * L * L * L / (24 * EI);
    }
    entregarResultados(U, MatrixXd::Zero(12, combos));
}

// Voladizo empotrado en i, punta libre en j: P = 100 hacia -Z en la punta,
// qx = 0.2 a lo largo de la barra y torsor distribuido mt = 0.3
const double P = 100, qx = 0.2, mt = 0.3;
void armarVoladizo()
{
    armarModelo({{xI, yI, zI}, {xI + L, yI, zI}}, {{0, 1}}, seccion);
    nudo[1].setCargaPuntual("Q", 0, 0, -P, 0, 0, 0);
    barra[0].setDistribuidaLocalX("Q", qx, qx);
    barra[0].setDistribuidaLocalT("Q", mt);
    agregarCombo("C1", 1, "Q");
    MatrixXd U = MatrixXd::Zero(12, 1);
    U(6, 0) = qx * L * L / (2 * EA);
    U(8, 0) = -P * L * L * L / (3 * EI);
    U(9, 0) = mt * L * L / (2 * GJ);
    U(10, 0) = P * L * L / (2 * EI);
    entregarResultados(U, MatrixXd::Zero(12, 1));
}

const Color internaN{0, 0.2f, 0.7f}, textoN{0.4f, 0.4f, 0.9f};
const Color internaV{0.4f, 0.4f, 0}, amarillo{0.5f, 0.5f, 0};
const Color internaM{0.5f, 0.1f, 0}, contornoM{0.7f, 0.2f, 0};
const Color internaT{0.6f, 0.25f, 0.6f}, contornoT{0.99f, 0.5f, 0.99f};

struct CasoDiagrama {
    const char* nombre;
    void (*armar)();
    void (*plot)(int, double);
    MatrixXd (objBarra3d::*getter)(int, int);
    double escala;
    bool planoY;    // ordenada sobre y local (global +Z) o sobre z local (global -Y)
    double signo;   // los momentos se dibujan con el signo cambiado
    double (*exacto)(double);
    Color interna, contorno, texto;
    int precision;
    std::string rotulo;      // rótulo del corte nulo o del momento extremo ("" si no hay)
    double rx, ry, rz;       // su posición en el marco de la barra
};

void vigaSimple() { armarVigaSimple(); }

const CasoDiagrama casos[] = {
    {"My viga simple", vigaSimple, plotMomentoY, &objBarra3d::getSolicitacionMy, 0.002, true, -1,
     [](double x) { return qy * x * (L - x) / 2; }, internaM, contornoM, amarillo, 3,
     "80000.000", 400, -160, 0},
    {"Vy viga simple", vigaSimple, plotCortanteY, &objBarra3d::getSolicitacionVy, 0.4, true, 1,
     [](double x) { return qy * (L / 2 - x); }, internaV, amarillo, amarillo, 3, "x0= 400.000",
     400, 4, 0},
    {"Mz viga simple", vigaSimple, plotMomentoZ, &objBarra3d::getSolicitacionMz, 0.004, false, -1,
     [](double x) { return qz * x * (L - x) / 2; }, internaM, contornoM, amarillo, 3,
     "40000.000", 400, 0, -160},
    {"Vz viga simple", vigaSimple, plotCortanteZ, &objBarra3d::getSolicitacionVz, 0.8, false, 1,
     [](double x) { return qz * (L / 2 - x); }, internaV, amarillo, amarillo, 3, "x0= 400.000",
     400, 0, 4},
    {"My viga simple, 0 decimales", vigaSimple, plotMomentoY, &objBarra3d::getSolicitacionMy,
     0.002, true, -1, [](double x) { return qy * x * (L - x) / 2; }, internaM, contornoM,
     amarillo, 0, "80000", 400, -160, 0},
    {"Vy viga simple, 0 decimales", vigaSimple, plotCortanteY, &objBarra3d::getSolicitacionVy,
     0.4, true, 1, [](double x) { return qy * (L / 2 - x); }, internaV, amarillo, amarillo, 0,
     "x0= 400", 400, 4, 0},
    // Voladizo: el corte no se anula dentro de la barra, sin rótulos adicionales
    {"My voladizo", armarVoladizo, plotMomentoY, &objBarra3d::getSolicitacionMy, 0.002, true, -1,
     [](double x) { return -P * (L - x); }, internaM, contornoM, amarillo, 3, "", 0, 0, 0},
    {"Vy voladizo", armarVoladizo, plotCortanteY, &objBarra3d::getSolicitacionVy, 1, true, 1,
     [](double) { return P; }, internaV, amarillo, amarillo, 3, "", 0, 0, 0},
    {"Mz voladizo (todo cero)", armarVoladizo, plotMomentoZ, &objBarra3d::getSolicitacionMz,
     0.002, false, -1, [](double) { return 0.0; }, internaM, contornoM, amarillo, 3, "", 0, 0, 0},
    {"N voladizo", armarVoladizo, plotAxial, &objBarra3d::getSolicitacionAxial, 1, true, 1,
     [](double x) { return qx * (L - x); }, internaN, internaN, textoN, 3, "", 0, 0, 0},
    {"T voladizo", armarVoladizo, plotTorsion, &objBarra3d::getSolicitacionTorsion, 0.5, true, 1,
     [](double x) { return mt * (L - x); }, internaT, contornoT, textoN, 3, "", 0, 0, 0},
};

// Marco de una barra a lo largo de +X con giro 0: y local = +Z global
void marcoBarraX()
{
    glTranslatef(static_cast<float>(xI), static_cast<float>(yI), static_cast<float>(zI));
    glRotatef(90, 1, 0, 0);
}

// Punto global de la ordenada o (ya escalada) en la abscisa x
void puntoOrdenada(bool planoY, double x, double o, double p[3])
{
    p[0] = xI + x;
    p[1] = planoY ? yI : yI - o;
    p[2] = planoY ? zI + o : zI;
}

}  // namespace

class Diagramas : public PruebaResultados {};

TEST_F(Diagramas, ContornoOrdenadasYTextosSegunInterruptores)
{
    for (const CasoDiagrama& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        caso.armar();
        precision = caso.precision;
        fijarVista(caso.planoY ? Vista::XZ : Vista::XY);
        MatrixXd D = (barra[0].*caso.getter)(0, 21);
        ASSERT_EQ(D.cols(), 21);
        double o[21];
        for (int k = 0; k < 21; k++) {
            double x = k * L / 20;
            ASSERT_NEAR(D(0, k), x, 1e-9);
            ASSERT_NEAR(D(1, k), caso.exacto(x), 1e-6 * (1 + std::fabs(caso.exacto(x))));
            o[k] = caso.signo * caso.exacto(x) * caso.escala;
        }
        for (int lineas = 0; lineas < 2; lineas++) {
            for (int texto = 0; texto < 2; texto++) {
                SCOPED_TRACE("lineas internas " + std::to_string(lineas) + ", texto " +
                             std::to_string(texto));
                flags[flagLineasInternas] = lineas;
                flags[flagTextoDiagramas] = texto;
                std::vector<Trazo> esperado;
                double a[3], b[3];
                for (int k = 0; lineas && k < 21; k++) {
                    puntoOrdenada(caso.planoY, k * L / 20, 0, a);
                    puntoOrdenada(caso.planoY, k * L / 20, o[k], b);
                    esperado.push_back(trazo(caso.interna, a[0], a[1], a[2], b[0], b[1], b[2]));
                }
                for (int k = 0; k < 20; k++) {
                    puntoOrdenada(caso.planoY, k * L / 20, o[k], a);
                    puntoOrdenada(caso.planoY, (k + 1) * L / 20, o[k + 1], b);
                    esperado.push_back(trazo(caso.contorno, a[0], a[1], a[2], b[0], b[1], b[2]));
                }
                if (texto) {
                    // Valores de extremo en las ordenadas de las estaciones 0 y 20
                    double y0 = caso.planoY ? o[0] : 0, z0 = caso.planoY ? 0 : o[0];
                    double yn = caso.planoY ? o[20] : 0, zn = caso.planoY ? 0 : o[20];
                    agregar(esperado, textoEsperado(caso.texto, marcoBarraX, 0, y0, z0,
                                                    fijo(D(1, 0), caso.precision), 20, 1));
                    agregar(esperado, textoEsperado(caso.texto, marcoBarraX, L, yn, zn,
                                                    fijo(D(1, 20), caso.precision), 20, 3));
                    if (!caso.rotulo.empty()) {
                        agregar(esperado, textoEsperado(caso.texto, marcoBarraX, caso.rx, caso.ry,
                                                        caso.rz, caso.rotulo, 20, 2));
                    }
                }
                std::string salida = capturarSalida([&] {
                    esperarMismoDibujo(capturarTrazos([&] { caso.plot(0, caso.escala); }),
                                       esperado);
                });
                EXPECT_EQ(salida, "");
            }
        }
    }
}

TEST_F(Diagramas, MomentoDelLadoHaciaDondeActuaLaCarga)
{
    // Carga hacia -Z: el diagrama queda debajo de la barra; hacia +Y: del lado +Y
    armarVigaSimple();
    fijarVista(Vista::XZ);
    std::vector<Trazo> my = deColor(capturarTrazos([] { plotMomentoY(0, 0.002); }), contornoM);
    ASSERT_EQ(my.size(), 20u);
    for (const Trazo& t : my) {
        EXPECT_LE(t.y1, zI + 1e-3);
        EXPECT_LE(t.y2, zI + 1e-3);
    }
    EXPECT_NEAR(std::min(my[9].y2, my[10].y1), zI - 160, 0.02);
    fijarVista(Vista::XY);
    std::vector<Trazo> mz = deColor(capturarTrazos([] { plotMomentoZ(0, 0.004); }), contornoM);
    ASSERT_EQ(mz.size(), 20u);
    EXPECT_NEAR(mz[9].y2, yI + 160, 0.02);
}

TEST_F(Diagramas, BarraOcultaNoDibujaNada)
{
    armarVigaSimple();
    barrasAisladas(0) = 0;
    fijarVista(Vista::XZ);
    void (*dibujos[])(int, double) = {plotAxial, plotCortanteY, plotMomentoY,
                                      plotCortanteZ, plotMomentoZ, plotTorsion};
    for (auto dibujo : dibujos) {
        EXPECT_TRUE(capturarTrazos([&] { dibujo(0, 1); }).empty());
    }
}

// Un índice que el vector de aislamiento no cubre (vectores más cortos que el
// modelo) se ve, igual en todos los dibujos: lo mismo que con todo a la vista
TEST_F(Diagramas, IndiceFueraDelAislamientoSeVe)
{
    armarVigaSimple();
    nudo[0].setApoyo(1, 1, 1, 1, 1, 1);
    flags[flagNudos] = 1;
    fijarVista(Vista::XZ);
    const struct {
        const char* nombre;
        std::function<void()> dibujo;
    } dibujos[] = {
        {"barras", plotBarras},
        {"nudos", plotNudos},
        {"apoyos", [] { plotApoyos(20); }},
        {"números de barra", [] { plotTagBarras(20); }},
        {"deformada", [] { plotDeformada(0, 1e4); }},
        {"axial", [] { plotAxial(0, 1); }},
        {"momento", [] { plotMomentoY(0, 0.001); }},
        {"cargas", [] { plotCarga(0, 20); }},
    };
    for (const auto& d : dibujos) {
        SCOPED_TRACE(d.nombre);
        barrasAisladas = VectorXi::Ones(noBarras);
        nudosAislados = VectorXi::Ones(noNudos);
        std::vector<PrimitivaGL> todo = capturarFeedback(d.dibujo);
        ASSERT_FALSE(todo.empty());
        barrasAisladas.resize(0);
        nudosAislados.resize(0);
        std::vector<PrimitivaGL> sinVector = capturarFeedback(d.dibujo);
        ASSERT_EQ(sinVector.size(), todo.size());
        for (size_t i = 0; i < todo.size(); i++) {
            ASSERT_EQ(sinVector[i].v.size(), todo[i].v.size());
            for (size_t k = 0; k < todo[i].v.size(); k++) {
                EXPECT_EQ(sinVector[i].v[k].x, todo[i].v[k].x);
                EXPECT_EQ(sinVector[i].v[k].y, todo[i].v[k].y);
            }
        }
    }
}

TEST_F(Diagramas, DosCombosActivosSeDibujanEnOrdenDesdeElCuadro)
{
    // El cuadro completo llama al diagrama una vez por combo activo, en orden
    armarVigaSimple(2);
    std::fill(flags.begin(), flags.end(), 0);
    flags[flagMomentoY] = 1;
    flags[flagCombos] = 1;
    flags[flagCombos + 1] = 1;
    double escalaAntes = escalaMy;
    escalaMy = 0.001;
    vistaOrtogonal(-500, 500, -400, 400, -1e4, 1e4);
    gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, 0, 0, 1);
    std::vector<Trazo> esperado;
    for (double f : {1.0, 2.0}) {
        for (int k = 0; k < 20; k++) {
            double x1 = k * L / 20, x2 = (k + 1) * L / 20;
            double o1 = -f * qy * x1 * (L - x1) / 2 * escalaMy;
            double o2 = -f * qy * x2 * (L - x2) / 2 * escalaMy;
            esperado.push_back(trazo(contornoM, xI + x1, yI, zI + o1, xI + x2, yI, zI + o2));
        }
    }
    std::vector<Trazo> dibujado = deColor(capturarTrazos([] { draw(); }), contornoM);
    escalaMy = escalaAntes;
    ASSERT_EQ(dibujado.size(), 40u);
    // En orden: los 20 primeros son del combo 0, los 20 siguientes del combo 1
    for (int mitad = 0; mitad < 2; mitad++) {
        std::vector<Trazo> parte(dibujado.begin() + 20 * mitad, dibujado.begin() + 20 * mitad + 20);
        std::vector<Trazo> espera(esperado.begin() + 20 * mitad, esperado.begin() + 20 * mitad + 20);
        esperarMismoDibujo(parte, espera);
    }
}
