// Los textos de ayuda dicen la verdad: cada tecla, botón del ratón y comando
// que nombran hace lo que dicen (se prueba con las funciones de teclado y
// ratón del visor), cada etiqueta que nombran es una que el cargador lee y
// cada valor por defecto que dan es el del cargador.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "input/funcionLeerArchivo.h"
#include "viewer/elementosPlot.h"
#include "viewer/prueba_teclado_comun.h"

using namespace teclado_prueba;

namespace {

std::string recortar(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t");
    size_t b = s.find_last_not_of(" \t");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// Pulsa una tecla como la nombra el texto: "F5", "Alt-c", "+", "shift +"
void pulsar(const std::string& tecla)
{
    if (tecla.size() >= 2 && tecla[0] == 'F' &&
        tecla.find_first_not_of("0123456789", 1) == std::string::npos) {
        int n = std::stoi(tecla.substr(1));
        ASSERT_TRUE(n >= 1 && n <= 12) << tecla;
        tecladoEspecial(GLUT_KEY_F1 + n - 1, 0, 0);
    } else if (tecla.size() == 5 && tecla.rfind("Alt-", 0) == 0) {
        modificadorFalso = GLUT_ACTIVE_ALT;
        teclado(static_cast<unsigned char>(tecla[4]), 0, 0);
        modificadorFalso = 0;
    } else if (tecla.size() == 7 && tecla.rfind("shift ", 0) == 0) {
        modificadorFalso = GLUT_ACTIVE_SHIFT;
        teclado(static_cast<unsigned char>(tecla[6]), 0, 0);
        modificadorFalso = 0;
    } else {
        ASSERT_EQ(tecla.size(), 1u) << "tecla desconocida: " << tecla;
        teclado(static_cast<unsigned char>(tecla[0]), 0, 0);
    }
}

// Todas las teclas de un texto como "(tecla +) o (tecla -)"
std::vector<std::string> teclasEntreParentesis(const std::string& texto, const std::string& tipo)
{
    std::vector<std::string> v;
    const std::string abre = "(" + tipo + " ";
    for (size_t i = texto.find(abre); i != std::string::npos; i = texto.find(abre, i + 1)) {
        size_t k = i + abre.size();
        if (k + 1 < texto.size() && texto[k + 1] == ')') {
            std::string t(1, texto[k]);
            v.push_back(tipo == "tecla" ? t : tipo + " " + t);
        }
    }
    return v;
}

// Número que sigue a "defecto " o "Defecto " en la línea; false si no hay
bool valorPorDefecto(const std::string& linea, double& valor)
{
    for (const char* clave : {"defecto ", "Defecto "}) {
        size_t i = linea.find(clave);
        if (i == std::string::npos) {
            continue;
        }
        const char* inicio = linea.c_str() + i + std::string(clave).size();
        char* fin = nullptr;
        valor = std::strtod(inicio, &fin);
        if (fin != inicio) {
            return true;
        }
    }
    return false;
}

struct Camara {
    double x, y, z, cx, cy, cz;
};
Camara camara() { return {xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj}; }

// Botón del ratón que nombra el texto
int botonDe(const std::string& texto)
{
    if (texto.find("click izquierdo") != std::string::npos) return GLUT_LEFT_BUTTON;
    if (texto.find("click central") != std::string::npos) return GLUT_MIDDLE_BUTTON;
    ADD_FAILURE() << "botón desconocido: " << texto;
    return -1;
}

void arrastrar(int boton)
{
    mouseButton(boton, GLUT_DOWN, 400, 300);
    mouseMove(460, 340);
    mouseButton(boton, GLUT_UP, 460, 340);
}

class TextosAyuda : public EstadoVisorTest {
protected:
    void SetUp() override
    {
        EstadoVisorTest::SetUp();
        cargarModelo(modeloPortico);
    }

    // Un interruptor: la tecla lo cambia y, otra vez, lo deja como estaba
    static std::function<void(const std::string&)> interruptor(int flag)
    {
        return [flag](const std::string& tecla) {
            int antes = flags[flag];
            pulsar(tecla);
            EXPECT_NE(flags[flag] % 2, antes % 2) << tecla;
            pulsar(tecla);
            EXPECT_EQ(flags[flag] % 2, antes % 2) << tecla;
        };
    }

    // Dos teclas de escala, la que agranda y la que achica: con el diagrama My
    // a la vista cambian la escala dada y no la otra
    static std::function<void(const std::string&)> escala(const std::string& tipo,
                                                          std::vector<std::string> esperadas,
                                                          double* cambia, double* queda)
    {
        return [=](const std::string& texto) {
            std::vector<std::string> teclas = teclasEntreParentesis(texto, tipo);
            ASSERT_EQ(teclas, esperadas);
            flags[flagMomentoY] = 1;
            double antes = *cambia, otra = *queda;
            pulsar(teclas[0]);
            EXPECT_GT(*cambia, antes);
            pulsar(teclas[1]);
            pulsar(teclas[1]);
            EXPECT_LT(*cambia, antes);
            EXPECT_EQ(*queda, otra);
            EXPECT_EQ(comando, "");
        };
    }

    // Un comando de dibujo: escribirlo enciende su flag
    static std::function<void(const std::string&)> comandoDeFlag(int flag)
    {
        return [flag](const std::string& palabra) {
            flags[flag] = 0;
            escribirLinea(palabra);
            EXPECT_EQ(flags[flag] % 2, 1) << palabra;
        };
    }

    // La vista de un plano: la cámara se aparta del centro solo por el eje
    // que falta en el plano
    static std::function<void(const std::string&)> vista(const std::string& plano)
    {
        return [plano](const std::string& tecla) {
            xCam = yCam = zCam = 1e3;
            pulsar(tecla);
            double d[3] = {xCam - xCentroObj, yCam - yCentroObj, zCam - zCentroObj};
            for (int k = 0; k < 3; k++) {
                bool enPlano = plano.find("XYZ"[k]) != std::string::npos;
                if (enPlano) {
                    EXPECT_NEAR(d[k], 0, 1e-6) << tecla << " eje " << "XYZ"[k];
                } else {
                    EXPECT_GT(std::fabs(d[k]), 1) << tecla << " eje " << "XYZ"[k];
                }
            }
        };
    }
};

TEST_F(TextosAyuda, CadaTeclaYComandoHaceLoQueDice)
{
    using accion = std::function<void(const std::string&)>;
    const std::map<std::string, accion> acciones = {
        {"Paneo",
         [](const std::string& texto) {
             Camara a = camara();
             arrastrar(botonDe(texto));
             Camara b = camara();
             EXPECT_GT(std::fabs(b.cx - a.cx) + std::fabs(b.cy - a.cy) + std::fabs(b.cz - a.cz),
                       0.1);
             EXPECT_NEAR(b.x - b.cx, a.x - a.cx, 1e-9);
             EXPECT_NEAR(b.z - b.cz, a.z - a.cz, 1e-9);
         }},
        {"Rotar",
         [](const std::string& texto) {
             Camara a = camara();
             double r = distCamObj;
             arrastrar(botonDe(texto));
             Camara b = camara();
             EXPECT_EQ(b.cx, a.cx);
             EXPECT_EQ(b.cz, a.cz);
             EXPECT_GT(std::fabs(b.x - a.x) + std::fabs(b.z - a.z), 0.01);
             EXPECT_NEAR(distCamObj, r, 1e-9 * r);
         }},
        {"Zoom",
         [](const std::string& texto) {
             EXPECT_EQ(texto, "scroll +/-");
             double r = distCamObj;
             mouseButton(3, GLUT_UP, 0, 0);
             EXPECT_LT(distCamObj, r);
             mouseButton(4, GLUT_UP, 0, 0);
             mouseButton(4, GLUT_UP, 0, 0);
             EXPECT_GT(distCamObj, r);
         }},
        {"Cambiar escala de diagramas", escala("tecla", {"+", "-"}, &escalaMy, &escalaTexto)},
        {"  teclado de EE.UU.", escala("tecla", {"=", "-"}, &escalaMy, &escalaTexto)},
        {"Cambiar escala de texto",
         escala("shift", {"shift +", "shift -"}, &escalaTexto, &escalaMy)},
        {"  teclado español", escala("tecla", {"*", "_"}, &escalaTexto, &escalaMy)},
        {"Mostrar u ocultar lineas internas de diagramas", interruptor(flagLineasInternas)},
        {"Mostrar u ocultar texto de diagramas", interruptor(flagTextoDiagramas)},
        {"Mostrar u ocultar nudos", interruptor(flagNudos)},
        {"perspectiva - ortogonal", interruptor(flagPerspectiva)},
        {"Ayuda",
         [](const std::string& tecla) {
             pulsar(tecla);
             EXPECT_EQ(flags[flagAyuda] % 2, 1);
         }},
        {"Ayuda de etiquetas para ingresoDatos.txt",
         [](const std::string& tecla) {
             pulsar(tecla);
             EXPECT_EQ(flags[flagAyudaEtiquetas], 1) << tecla;
         }},
        {"vista XZ", vista("XZ")},
        {"vista YZ", vista("YZ")},
        {"vista XY", vista("XY")},
        {"refrescar Modelo",
         [](const std::string& tecla) {
             {
                 std::ofstream f(nombreArchivo, std::ios::binary | std::ios::trunc);
                 f << "nudos: 1 0 0 0 2 3 0 0\n";
             }
             capturarSalida([&] { pulsar(tecla); });
             EXPECT_EQ(noNudos, 2) << tecla;
         }},
        {"Activa la opcion para introducir un combo",
         [](const std::string& palabra) {
             escribirLinea(palabra);
             EXPECT_EQ(dialogo, "Escriba el nombre del Combo y presione ENTER:");
         }},
        {"Plotea las cargas del combo activado", comandoDeFlag(flagCarga)},
        {"Plotea deformaciones", comandoDeFlag(flagDeformada)},
        {"Plotea Fuerzas Axiales", comandoDeFlag(flagAxial)},
        {"Plotea Momentos sobre el eje local Y", comandoDeFlag(flagMomentoY)},
        {"Plotea momentos sobre el eje local Z", comandoDeFlag(flagMomentoZ)},
        {"Plotea Cortantes sobre el ele Y", comandoDeFlag(flagCortanteY)},
        {"Plotea Cortantes sobre el eje Z", comandoDeFlag(flagCortanteZ)},
        {"Plotea Torsión", comandoDeFlag(flagTorsion)},
        {"Plotea Reacciones", comandoDeFlag(flagReacciones)},
        {"Muestra u oculta la numeracion de nudos", comandoDeFlag(flagTagNudos)},
        {"Muestra u oculta la numeracion de barras", comandoDeFlag(flagTagBarras)},
        {"Muestra u oculta las secciones transverlaes", comandoDeFlag(flagSecciones)},
        {"Oculta todos los Tags",
         [](const std::string& palabra) {
             flags[flagTagNudos] = flags[flagTagBarras] = flags[flagSecciones] = 1;
             escribirLinea(palabra);
             EXPECT_EQ(flags[flagTagNudos] + flags[flagTagBarras] + flags[flagSecciones], 0);
         }},
    };
    std::set<std::string> usadas;
    for (const std::string& linea : lineasDe(textoAyuda)) {
        std::string que, como;
        size_t flecha = linea.find("-->");
        size_t dosPuntos = linea.find(": ");
        if (flecha != std::string::npos) {
            como = recortar(linea.substr(0, flecha));
            que = recortar(linea.substr(flecha + 3));
        } else if (dosPuntos != std::string::npos) {
            que = linea.substr(0, dosPuntos);
            como = recortar(linea.substr(dosPuntos + 2));
        } else {
            continue;  // títulos, separadores y líneas vacías
        }
        SCOPED_TRACE(linea);
        auto it = acciones.find(que);
        ASSERT_NE(it, acciones.end()) << "ninguna prueba comprueba esta línea";
        usadas.insert(que);
        flags = flagsDeArranque();
        funcionFronteraGraf();
        it->second(como);
    }
    EXPECT_EQ(usadas.size(), acciones.size());
}

// Primer token de cada línea que termina en dos puntos: la etiqueta que nombra
std::vector<std::string> etiquetasNombradas(const std::string& texto)
{
    std::vector<std::string> v;
    for (const std::string& linea : lineasDe(texto)) {
        std::istringstream is(linea);
        std::string t;
        if (is >> t && t.back() == ':' && t.find('*') == std::string::npos) {
            v.push_back(t);
        }
    }
    return v;
}

TEST_F(TextosAyuda, EtiquetasYValoresPorDefectoDelCargador)
{
    std::set<std::string> formato(etiquetasFormato.begin(), etiquetasFormato.end());
    std::set<std::string> nombradas;
    for (int p = 0; p < 4; p++) {
        for (const std::string& e : etiquetasNombradas(textoAyudaEtiquetas[p])) {
            EXPECT_EQ(formato.count(e), 1u) << "página " << p + 1 << ": " << e;
            nombradas.insert(e);
        }
    }
    for (const std::string& e : formato) {
        EXPECT_EQ(nombradas.count(e), 1u) << "ninguna página nombra " << e;
    }
    // página 4: cada ajuste con su valor por defecto
    std::map<std::string, double> defectos;
    for (const ajusteFormato& a : ajustesFormato) {
        defectos[a.etiqueta] = a.defecto;
    }
    std::set<std::string> enPagina;
    for (const std::string& linea : lineasDe(textoAyudaEtiquetas[3])) {
        std::vector<std::string> e = etiquetasNombradas(linea);
        if (e.empty()) {
            continue;
        }
        SCOPED_TRACE(linea);
        if (defectos.count(e[0]) == 0) {
            ADD_FAILURE() << "no es un ajuste de dibujo";
            continue;
        }
        enPagina.insert(e[0]);
        double valor = 0;
        if (valorPorDefecto(linea, valor)) {
            EXPECT_DOUBLE_EQ(valor, defectos[e[0]]);
        } else {
            // sin número: el tamaño sale del modelo, que es lo que da el 0
            EXPECT_NE(linea.find("tamaño de la estructura"), std::string::npos);
            EXPECT_EQ(defectos[e[0]], 0);
        }
    }
    EXPECT_EQ(enPagina.size(), defectos.size());
}

// Cada bloque del formato en las páginas de etiquetas, campo por campo: tras
// su etiqueta, la línea de su nombre, la de sus valores fijos en su orden y
// la de su lista
TEST_F(TextosAyuda, CamposDeCadaBloqueDelCargador)
{
    std::vector<std::string> lineas;
    for (const std::string& pagina : textoAyudaEtiquetas) {
        for (const std::string& l : lineasDe(pagina)) {
            lineas.push_back(recortar(l));
        }
    }
    for (const bloqueFormato& b : bloquesFormato) {
        SCOPED_TRACE(b.etiqueta);
        auto l = std::find(lineas.begin(), lineas.end(), b.etiqueta);
        ASSERT_NE(l, lineas.end());
        if (!b.nombre.empty()) {
            ASSERT_NE(++l, lineas.end());
            EXPECT_EQ(l->substr(0, l->find(' ')), b.nombre);
        }
        std::string campos;
        for (const std::string& c : b.enAyuda) {
            campos += (campos.empty() ? "" : " ") + c;
        }
        ASSERT_NE(++l, lineas.end());
        EXPECT_EQ(*l, campos);
        ASSERT_NE(++l, lineas.end());
        EXPECT_EQ(*l, "{lista de " + b.lista + "}");
    }
}

}  // namespace
