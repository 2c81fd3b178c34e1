// Cargas del combo: flechas de fuerzas y momentos en un nudo, cargas
// distribuidas, axiales y torsor distribuido sobre una barra a lo largo de +X.
// Las colas, puntas y sentidos se calculan en ejes globales a partir de la
// dirección física de cada carga; las cabezas se reconocen por su retroceso
// desde la punta.
#include <gtest/gtest.h>

#include "viewer/prueba_diagramas_ayuda.h"

using namespace pruebaResultados;

namespace {

const Seccion seccion{1e6, 1e6, 1e6, 2e6, 1000, 0.25};
const double xN = 500, yN = 400, zN = 400;  // nudo cargado
const double xI = 100, yI = 400, zI = 400, L = 800;  // barra de xI a xI + L
const double h = 20;  // escalaTexto del fixture

const Color rojoFuerza{0.8f, 0.2f, 0.2f}, amarilloMomento{0.8f, 0.8f, 0.2f};
const Color flechaY{0.2f, 0.2f, 0}, textoY{0.7f, 0.7f, 0.3f};
const Color flechaZ{0, 0.2f, 0.2f}, textoZ{0.3f, 0.7f, 0.7f};
const Color axial{0.7f, 0.2f, 0.2f};
const Color flechaT{0.2f, 0.2f, 0.2f}, textoT{0.3f, 0.3f, 0.3f};

struct Vec {
    double x, y, z;
};

Vec mas(Vec a, Vec b, double f) { return {a.x + f * b.x, a.y + f * b.y, a.z + f * b.z}; }

const Vec ejes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

Trazo trazo(const Color& c, Vec a, Vec b) { return pruebaResultados::trazo(c, a.x, a.y, a.z, b.x, b.y, b.z); }

// Marco de una barra a lo largo de +X con giro 0: y local = +Z, z local = -Y
void marcoBarraX()
{
    glTranslatef(static_cast<float>(xI), static_cast<float>(yI), static_cast<float>(zI));
    glRotatef(90, 1, 0, 0);
}

Vec globalDeLocal(double x, double y, double z) { return {xI + x, yI - z, zI + y}; }

// Flecha de referencia dibujada con la primitiva en el marco dado
std::vector<Trazo> flechaEsperada(const Color& c, const std::function<void()>& marco, Vec a, Vec b,
                                  double cabeza)
{
    return capturarTrazos([&] {
        glPushMatrix();
        marco();
        glColor3f(c.r, c.g, c.b);
        drawFlecha(a.x, a.y, a.z, b.x, b.y, b.z, cabeza);
        glPopMatrix();
    });
}

std::vector<Trazo> textoQueMira(const Color& c, Vec p, const std::string& texto)
{
    return capturarTrazos([&] {
        glColor3f(c.r, c.g, c.b);
        drawTextoEscaladoFacing(p.x, p.y, p.z, texto.c_str(), h, 1);
    });
}

// Líneas de cabeza que salen de la punta (en ventana) y retroceden b a lo
// largo de la dirección unitaria (dx, dy) hacia la que apunta la flecha
int cabezasHacia(const std::vector<Trazo>& t, Punto punta, double dx, double dy, double b)
{
    int n = 0;
    for (const Trazo& s : t) {
        Punto o;
        if (std::hypot(s.x1 - punta.x, s.y1 - punta.y) < 0.02) {
            o = {s.x2, s.y2};
        } else if (std::hypot(s.x2 - punta.x, s.y2 - punta.y) < 0.02) {
            o = {s.x1, s.y1};
        } else {
            continue;
        }
        double atras = (o.x - punta.x) * dx + (o.y - punta.y) * dy;
        if (std::fabs(atras + b) < 0.05) n++;
    }
    return n;
}

// Dirección en ventana de un vector del modelo
void direccionEnVentana(Vec d, double& dx, double& dy)
{
    Punto a = enVentana(0, 0, 0), b = enVentana(d.x, d.y, d.z);
    double n = std::hypot(b.x - a.x, b.y - a.y);
    dx = (b.x - a.x) / n;
    dy = (b.y - a.y) / n;
}

Punto ventana(Vec p) { return enVentana(p.x, p.y, p.z); }

struct CasoNudo {
    const char* nombre;
    int k;         // componente: 0..2 fuerzas X, Y, Z; 3..5 momentos X, Y, Z
    double valor;  // valor del combo (el caso lleva la mitad, factor 2)
    double s;
    Vista vista;   // una vista que contiene la dirección de la carga
    double dist;   // distancia de la cámara: fija el tamaño de las cabezas
    std::string numero;
};

const CasoNudo casosNudo[] = {
    {"Fx = -5, escala 0.1: cola en x + 0.5", 0, -5, 0.1, Vista::XZ, 750, "5.000"},
    {"Fx = -5, escala 20", 0, -5, 20, Vista::XZ, 750, "5.000"},
    {"Fy = 4", 1, 4, 20, Vista::XY, 750, "4.000"},
    {"Fz = 3, cámara más lejos: cabezas mayores", 2, 3, 20, Vista::XZ, 1500, "3.000"},
    {"Fz = 1e-9: flecha diminuta y su número", 2, 1e-9, 20, Vista::XZ, 750, "0.000"},
    {"Mx = 2", 3, 2, 40, Vista::XZ, 750, "2.000"},
    {"My = -1.5", 4, -1.5, 40, Vista::XY, 750, "1.500"},
    {"Mz = -6", 5, -6, 20, Vista::XZ, 750, "6.000"},
};

}  // namespace

class Cargas : public PruebaResultados {};

TEST_F(Cargas, NudoFlechasALoLargoDeLaCargaConSuMagnitud)
{
    for (const CasoNudo& caso : casosNudo) {
        SCOPED_TRACE(caso.nombre);
        armarModelo({{xN, yN, zN}}, {}, seccion);
        double v[6] = {0, 0, 0, 0, 0, 0};
        v[caso.k] = caso.valor / 2;
        nudo[0].setCargaPuntual("Q", v[0], v[1], v[2], v[3], v[4], v[5]);
        agregarCombo("C1", 2, "Q");
        distCamObj = caso.dist;
        const double b = caso.dist / 75;
        fijarVista(caso.vista);
        const Vec n{xN, yN, zN};
        const Vec e = ejes[caso.k % 3];
        const bool momento = caso.k >= 3;
        const Color color = momento ? amarilloMomento : rojoFuerza;
        auto sinMarco = [] {};  // las cargas de nudo van en ejes globales

        std::vector<Trazo> dibujado = capturarTrazos([&] { plotCarga(0, caso.s); });
        std::vector<Trazo> esperado;
        // Flechas: (cola, punta); la fuerza termina en el nudo, el momento sale de él
        std::vector<std::pair<Vec, Vec>> flechas;
        Vec rotulo;
        if (!momento) {
            Vec cola = mas(n, e, -caso.valor * caso.s);
            flechas.push_back({cola, n});
            rotulo = cola;
        } else {
            flechas.push_back({n, mas(n, e, caso.valor * caso.s)});
            flechas.push_back({n, mas(n, e, 0.7 * caso.valor * caso.s)});
            rotulo = flechas[0].second;
        }
        double dx = 0, dy = 0;
        direccionEnVentana(mas({0, 0, 0}, e, caso.valor > 0 ? 1 : -1), dx, dy);
        for (const auto& f : flechas) {
            // Tallo de la cola a la punta y cuatro cabezas que apuntan con la carga
            std::vector<Trazo> copia = dibujado;
            EXPECT_TRUE(quitarTrazos(copia, {trazo(color, f.first, f.second)}).empty())
                << "falta el tallo";
            EXPECT_EQ(cabezasHacia(dibujado, ventana(f.second), dx, dy, b), 4);
            agregar(esperado, flechaEsperada(color, sinMarco, f.first, f.second, b));
        }
        if (caso.k == 0 && caso.s == 0.1) {
            EXPECT_NEAR(ventana(rotulo).x, xN + 0.5, 1e-3);
        }
        agregar(esperado, textoQueMira(color, rotulo, caso.numero));
        esperarMismoDibujo(dibujado, esperado);
    }
}

TEST_F(Cargas, NudoSinCargaUOcultoNoDibujaNada)
{
    armarModelo({{xN, yN, zN}, {xN + 100, yN, zN}}, {}, seccion);
    nudo[1].setCargaPuntual("Q", 1, 2, 3, 4, 5, 6);
    agregarCombo("C1", 1, "Q");
    fijarVista(Vista::XZ);
    EXPECT_FALSE(capturarTrazos([] { plotCarga(0, 10); }).empty());
    nudosAislados(1) = 0;
    EXPECT_TRUE(capturarTrazos([] { plotCarga(0, 10); }).empty());
}

namespace {

struct CasoBarra {
    const char* nombre;
    char tipo;  // 'y', 'z' transversales; 'x' axial
    double qI, qF;  // valores del combo (el caso lleva la mitad, factor 2)
    double s;
    bool dibuja;
};

const CasoBarra casosBarra[] = {
    {"y lineal hacia -y local (abajo)", 'y', -1, -3, 50, true},
    {"y que cambia de signo", 'y', 2, -2, 50, true},
    {"z uniforme hacia +z local (-Y global)", 'z', 2, 2, 50, true},
    {"y triangular de 0 a 2e-5: se dibuja con 0 al inicio", 'y', 0, 2e-5, 50, true},
    {"y de 1e-5 en ambos extremos: no se dibuja", 'y', 1e-5, -1e-5, 50, false},
    {"axial uniforme +x", 'x', 0.2, 0.2, 50, true},
    {"axial negativa", 'x', -0.1, -0.3, 50, true},
    {"axial qI = -qF: números sin cabezas", 'x', 0.3, -0.3, 50, true},
};

}  // namespace

TEST_F(Cargas, BarraFlechasTerminanEnElEjeYApuntanConLaCarga)
{
    for (const CasoBarra& caso : casosBarra) {
        SCOPED_TRACE(caso.nombre);
        armarModelo({{xI, yI, zI}, {xI + L, yI, zI}}, {{0, 1}}, seccion);
        if (caso.tipo == 'y') barra[0].setDistribuidaLocalY("Q", caso.qI / 2, caso.qF / 2);
        if (caso.tipo == 'z') barra[0].setDistribuidaLocalZ("Q", caso.qI / 2, caso.qF / 2);
        if (caso.tipo == 'x') barra[0].setDistribuidaLocalX("Q", caso.qI / 2, caso.qF / 2);
        agregarCombo("C1", 2, "Q");
        fijarVista(caso.tipo == 'z' ? Vista::XY : Vista::XZ);
        const double b = distCamObj / 75, s = caso.s;
        std::vector<Trazo> dibujado = capturarTrazos([&] { plotCarga(0, s); });
        if (!caso.dibuja) {
            EXPECT_TRUE(dibujado.empty());
            continue;
        }
        std::vector<Trazo> esperado;
        if (caso.tipo != 'x') {
            // Eje local de la carga en ejes globales: y local = +Z, z local = -Y
            const Vec g = caso.tipo == 'y' ? Vec{0, 0, 1} : Vec{0, -1, 0};
            const Color cf = caso.tipo == 'y' ? flechaY : flechaZ;
            const Color ct = caso.tipo == 'y' ? textoY : textoZ;
            for (int j = 0; j <= 10; j++) {
                double x = j * L / 10, q = caso.qI + j * (caso.qF - caso.qI) / 10;
                Vec punta{xI + x, yI, zI};
                Vec cola = mas(punta, g, -q * s);
                std::vector<Trazo> copia = dibujado;
                EXPECT_TRUE(quitarTrazos(copia, {trazo(cf, cola, punta)}).empty())
                    << "estación " << j;
                if (std::fabs(q) > 1e-3) {
                    double dx = 0, dy = 0;
                    direccionEnVentana(mas({0, 0, 0}, g, q > 0 ? 1 : -1), dx, dy);
                    EXPECT_EQ(cabezasHacia(dibujado, ventana(punta), dx, dy, b), 4)
                        << "estación " << j;
                }
                Vec lc = caso.tipo == 'y' ? Vec{x, -q * s, 0} : Vec{x, 0, -q * s};
                agregar(esperado, flechaEsperada(cf, marcoBarraX, lc, {x, 0, 0}, b));
            }
            esperado.push_back(trazo(cf, mas({xI, yI, zI}, g, -caso.qI * s),
                                     mas({xI + L, yI, zI}, g, -caso.qF * s)));
            double o1 = -caso.qI * s, o2 = -caso.qF * s;
            bool y = caso.tipo == 'y';
            agregar(esperado, textoEsperado(ct, marcoBarraX, 0.05 * L, y ? o1 : 0, y ? 0 : o1,
                                            fijo(std::fabs(caso.qI), 3), h, 1));
            agregar(esperado, textoEsperado(ct, marcoBarraX, 0.95 * L, y ? o2 : 0, y ? 0 : o2,
                                            fijo(std::fabs(caso.qF), 3), h, 3));
        } else {
            const double u = (caso.qI + caso.qF) / 2;
            for (int j = 0; j <= 10 && u != 0; j++) {
                double x = j * L / 10, d = u > 0 ? 1e-4 : -1e-4;
                // Solo cabezas sobre el eje, abiertas hacia atrás del sentido de la carga
                EXPECT_EQ(cabezasHacia(dibujado, ventana({xI + x + d, yI, zI}), u > 0 ? 1 : -1,
                                       0, b),
                          4)
                    << "estación " << j;
                agregar(esperado, flechaEsperada(axial, marcoBarraX, {x, 0, 0}, {x + d, 0, 0}, b));
            }
            agregar(esperado, textoEsperado(axial, marcoBarraX, 0.1 * L, 0.2 * h, 0,
                                            fijo(std::fabs(caso.qI), 3), h, 1));
            agregar(esperado, textoEsperado(axial, marcoBarraX, 0.9 * L, 0.2 * h, 0,
                                            fijo(std::fabs(caso.qF), 3), h, 3));
        }
        esperarMismoDibujo(dibujado, esperado);
    }
}

TEST_F(Cargas, BarraOcultaNoDibujaSusCargas)
{
    armarModelo({{xI, yI, zI}, {xI + L, yI, zI}}, {{0, 1}}, seccion);
    barra[0].setDistribuidaLocalY("Q", -1, -1);
    barra[0].setDistribuidaLocalZ("Q", 1, 1);
    barra[0].setDistribuidaLocalX("Q", 1, 1);
    barra[0].setDistribuidaLocalT("Q", 1);
    agregarCombo("C1", 1, "Q");
    fijarVista(Vista::XZ);
    EXPECT_FALSE(capturarTrazos([] { plotCarga(0, 10); }).empty());
    barrasAisladas(0) = 0;
    EXPECT_TRUE(capturarTrazos([] { plotCarga(0, 10); }).empty());
}

namespace {

// Vista oblicua centrada en la barra: ningún eje queda de punta
void fijarVistaOblicua()
{
    vistaOrtogonal(-600, 600, -480, 480, -5000, 5000);
    glRotatef(25, 1, 0, 0);
    glRotatef(-35, 0, 0, 1);
    glTranslatef(-500, -400, -400);
}

}  // namespace

// Torsor distribuido: 11 arcos de 270 grados de radio L/40 en el plano
// transversal, con la cabeza en el comienzo del arco. Visto desde +X, un
// torsor positivo gira en sentido antihorario (regla de la mano derecha).
TEST_F(Cargas, TorsorArcosQueGiranSegunSuSigno)
{
    const double r = L / 40;
    for (double mt : {0.3, -0.3}) {
        SCOPED_TRACE("mt = " + std::to_string(mt));
        armarModelo({{xI, yI, zI}, {xI + L, yI, zI}}, {{0, 1}}, seccion);
        barra[0].setDistribuidaLocalT("Q", mt / 2);
        agregarCombo("C1", 2, "Q");
        for (double dist : {750.0, 3000.0}) {
            // La cámara y la escala no cambian las flechas del torsor
            distCamObj = dist;
            for (double s : {0.1, 10.0}) {
                fijarVistaOblicua();
                std::vector<Trazo> dibujado = capturarTrazos([&] { plotCarga(0, s); });
                std::vector<Trazo> flechas = deColor(dibujado, flechaT);
                // Arcos y tallos calculados en ejes locales de la barra; el arco
                // queda del lado de z local (+) o (-) según el signo
                const double lado = mt > 0 ? 1 : -1;
                std::vector<Trazo> arcos;
                std::vector<Vec> puntas;
                for (int j = 0; j <= 10; j++) {
                    double x = j * L / 10;
                    for (int i = 0; i < 10; i++) {
                        double t1 = (-90 + 27 * i) * PI / 180, t2 = (-90 + 27 * (i + 1)) * PI / 180;
                        arcos.push_back(trazo(flechaT,
                                              globalDeLocal(x, r * std::sin(t1), lado * r * std::cos(t1)),
                                              globalDeLocal(x, r * std::sin(t2), lado * r * std::cos(t2))));
                    }
                    puntas.push_back(globalDeLocal(x, -r, 0));
                    arcos.push_back(trazo(flechaT, globalDeLocal(x, -r + L / 3000, lado * L / 1000),
                                          puntas.back()));
                }
                std::vector<std::string> faltan = quitarTrazos(flechas, arcos);
                EXPECT_TRUE(faltan.empty()) << faltan.size() << " arcos o tallos faltan";
                // Lo que queda: cuatro cabezas por estación, todas desde la punta
                ASSERT_EQ(flechas.size(), 44u);
                for (const Trazo& t : flechas) {
                    bool enPunta = false;
                    for (const Vec& p : puntas) {
                        Punto q = ventana(p);
                        enPunta = enPunta || std::hypot(t.x1 - q.x, t.y1 - q.y) < 0.02 ||
                                  std::hypot(t.x2 - q.x, t.y2 - q.y) < 0.02;
                    }
                    EXPECT_TRUE(enPunta) << describir(t);
                }
                std::vector<Trazo> numero = deColor(dibujado, textoT);
                esperarMismoDibujo(numero, textoEsperado(textoT, marcoBarraX, 0.5 * L, L / 38, 0,
                                                         "0.300", h, 2));
            }
        }

        // Sentido visto desde +X: ventana (Y, Z), centro en el eje de la barra
        fijarVista(Vista::YZ);
        std::vector<Trazo> t = deColor(capturarTrazos([] { plotCarga(0, 1); }), flechaT);
        const Punto c{yI, zI}, p0{yI, zI - r};  // comienzo del arco y punta de la cabeza
        int tallos = 0, arcosDetras = 0;
        for (const Trazo& s : t) {
            Punto a{s.x1, s.y1}, o{s.x2, s.y2};
            if (std::hypot(o.x - p0.x, o.y - p0.y) < 0.02) std::swap(a, o);
            if (std::hypot(a.x - p0.x, a.y - p0.y) >= 0.02) continue;
            double largo = std::hypot(o.x - a.x, o.y - a.y);
            if (largo < 1.5 && largo > 0.5) {
                // Tallo: de o hacia la punta; giro = (punta - centro) x dirección
                double dx = a.x - o.x, dy = a.y - o.y;
                double giro = (a.x - c.x) * dy - (a.y - c.y) * dx;
                EXPECT_EQ(giro > 0, mt > 0) << "la cabeza gira al revés";
                tallos++;
                // El cuerpo del arco sale de la punta hacia atrás de la cabeza
                for (const Trazo& u : t) {
                    Punto b{u.x1, u.y1}, q{u.x2, u.y2};
                    if (std::hypot(q.x - p0.x, q.y - p0.y) < 0.02) std::swap(b, q);
                    double l = std::hypot(q.x - b.x, q.y - b.y);
                    if (std::hypot(b.x - p0.x, b.y - p0.y) < 0.02 && std::fabs(l - 0.4669 * r) < 0.05 &&
                        (q.x - b.x) * dx + (q.y - b.y) * dy < 0) {
                        arcosDetras++;
                    }
                }
            }
        }
        EXPECT_EQ(tallos, 11);
        EXPECT_EQ(arcosDetras, 11 * 11);
    }
}
