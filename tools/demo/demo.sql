-- Base de demostración de la Consulta de Cheques.
--
-- Un comercio mayorista de Córdoba: artículos con precios y stock, familias, posiciones de
-- depósito, centros de costo, clientes, proveedores, plan de cuentas y asientos contables.
-- El programa la crea la primera vez que se la pide, ejecutando este lote T-SQL con su propia
-- base embebida; el contenido es siempre el mismo (nada depende de la fecha ni del azar).

SET NOCOUNT ON
BEGIN TRANSACTION

-- ---------------------------------------------------------------- números para generar filas
CREATE TABLE DIGITOS (D int NOT NULL PRIMARY KEY)
INSERT INTO DIGITOS (D) VALUES (0), (1), (2), (3), (4), (5), (6), (7), (8), (9)

CREATE TABLE NUMEROS (N int NOT NULL PRIMARY KEY)
INSERT INTO NUMEROS (N)
SELECT a.D + 10 * b.D + 100 * c.D + 1000 * d.D + 10000 * e.D
FROM DIGITOS a CROSS JOIN DIGITOS b CROSS JOIN DIGITOS c CROSS JOIN DIGITOS d CROSS JOIN DIGITOS e

CREATE TABLE CALENDARIO (DESDE datetime NOT NULL)
INSERT INTO CALENDARIO (DESDE) VALUES ('2025-01-02 00:00:00.000')

-- ---------------------------------------------------------------- configuración y usuarios
CREATE TABLE dbo.TA_CONFIGURACION (
    CLAVE varchar(50) NOT NULL PRIMARY KEY,
    VALOR varchar(255) NULL,
    valoraux varchar(255) NULL
)
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux) VALUES
    ('TopConsArt', '1000', ''),
    ('MostrarStockenConsultas', 'SI', ''),
    ('Stk_Nivel1', '32768', 'stock sin punto de pedido: verde'),
    ('Stk_Nivel2', '16711680', 'stock sobre el punto de pedido: azul'),
    ('Stk_Nivel3', '255', 'stock bajo el punto de pedido: rojo'),
    ('Stk_Nivel4', '33023', 'stock en el punto de pedido o sin stock: naranja'),
    ('UsaConsultaLIKE', 'SI', ''),
    ('NOM_PCLASE1', 'Minorista', ''),
    ('NOM_PCLASE2', 'Mayorista', ''),
    ('NOM_PCLASE3', 'Distribuidor', ''),
    ('NOM_PCLASE4', 'Contado', ''),
    ('NOM_PCLASE5', 'Cta. Cte. 30 días', ''),
    ('NOM_PCLASE6', 'Cta. Cte. 60 días', ''),
    ('NOM_PCLASE7', 'Exportación', ''),
    ('NOM_PCLASE8', 'Costo', ''),
    ('Moneda', '$', 'Peso argentino'),
    ('RazonSocial', 'Distribuidora del Centro S.A.', 'Córdoba')

CREATE TABLE ta_usuarios (
    nombre varchar(30) NOT NULL PRIMARY KEY,
    Administrador int NOT NULL DEFAULT 0,
    NombreCompleto varchar(60) NULL
)
INSERT INTO ta_usuarios (nombre, Administrador, NombreCompleto) VALUES
    ('supervisor', 1, 'Graciela Ibáñez'),
    ('mostrador', 0, 'Martín Peña')

-- ---------------------------------------------------------------- familias de artículos
CREATE TABLE TA_FAMILIAS (
    IDFAMILIA varchar(10) NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(60) NOT NULL
)
INSERT INTO TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES
    ('1', 'Almacén'),
    ('11', 'Infusiones'), ('111', 'Yerba mate'), ('112', 'Té y mate cocido'), ('113', 'Café'),
    ('12', 'Harinas y pastas'), ('121', 'Harinas'), ('122', 'Fideos secos'), ('123', 'Arroz y legumbres'),
    ('13', 'Aceites y aderezos'), ('131', 'Aceites'), ('132', 'Aderezos y salsas'),
    ('14', 'Dulces y conservas'), ('141', 'Dulces y mermeladas'), ('142', 'Conservas'),
    ('15', 'Galletitas y golosinas'), ('151', 'Galletitas'), ('152', 'Golosinas'),
    ('2', 'Bebidas'),
    ('21', 'Sin alcohol'), ('211', 'Gaseosas'), ('212', 'Aguas y sodas'), ('213', 'Jugos'),
    ('22', 'Con alcohol'), ('221', 'Vinos'), ('222', 'Cervezas'), ('223', 'Aperitivos'),
    ('3', 'Limpieza y perfumería'),
    ('31', 'Limpieza'), ('311', 'Lavandina y desinfectantes'), ('312', 'Detergentes'),
    ('32', 'Perfumería'), ('321', 'Jabones'), ('322', 'Champú y acondicionador'),
    ('4', 'Ferretería'),
    ('41', 'Bulonería'), ('411', 'Tornillos'), ('412', 'Tuercas y arandelas'), ('413', 'Clavos'),
    ('42', 'Pinturería'), ('421', 'Pinturas'), ('422', 'Pinceles y rodillos'),
    ('43', 'Electricidad'), ('431', 'Cables'), ('432', 'Lámparas')

CREATE VIEW V_TA_FAMILIAS AS SELECT IDFAMILIA, DESCRIPCION FROM TA_FAMILIAS

-- ---------------------------------------------------------------- artículos
-- Cien productos, diez marcas y cinco presentaciones: cinco mil artículos.
CREATE TABLE PRODUCTOS (
    K int NOT NULL PRIMARY KEY,
    CODIGO varchar(3) NOT NULL,
    DESCRIPCION varchar(40) NOT NULL,
    IDFAMILIA varchar(10) NOT NULL,
    PRECIO money NOT NULL
)
INSERT INTO PRODUCTOS (K, CODIGO, DESCRIPCION, IDFAMILIA, PRECIO) VALUES
    (0, 'YER', 'Yerba mate 1 kg', '111', 3850), (1, 'YES', 'Yerba mate 500 g', '111', 2050),
    (2, 'YEH', 'Yerba mate con hierbas 500 g', '111', 2290), (3, 'YEC', 'Yerba compuesta 1 kg', '111', 4120),
    (4, 'TES', 'Té en saquitos x 25', '112', 890), (5, 'TEV', 'Té verde en saquitos x 20', '112', 1150),
    (6, 'MAC', 'Mate cocido x 50', '112', 1380), (7, 'CAF', 'Café molido 250 g', '113', 4350),
    (8, 'CAS', 'Café soluble 170 g', '113', 5980), (9, 'CAG', 'Café en grano 1 kg', '113', 15900),
    (10, 'HA0', 'Harina 000 1 kg', '121', 780), (11, 'HA4', 'Harina 0000 1 kg', '121', 860),
    (12, 'HAL', 'Harina leudante 1 kg', '121', 1090), (13, 'HAI', 'Harina integral 1 kg', '121', 1240),
    (14, 'FIT', 'Fideos tallarines 500 g', '122', 990), (15, 'FIM', 'Fideos mostachol 500 g', '122', 990),
    (16, 'FIS', 'Fideos spaghetti 500 g', '122', 1050), (17, 'FIG', 'Fideos guiseros 500 g', '122', 940),
    (18, 'ARL', 'Arroz largo fino 1 kg', '123', 1450), (19, 'ARD', 'Arroz doble carolina 1 kg', '123', 1720),
    (20, 'LEN', 'Lentejas 400 g', '123', 1330), (21, 'POR', 'Porotos alubia 400 g', '123', 1290),
    (22, 'GAR', 'Garbanzos 400 g', '123', 1410), (23, 'AGI', 'Aceite de girasol 1,5 l', '131', 2650),
    (24, 'AOL', 'Aceite de oliva 500 ml', '131', 7900), (25, 'AMA', 'Aceite de maíz 900 ml', '131', 2380),
    (26, 'MAY', 'Mayonesa 500 g', '132', 1690), (27, 'KET', 'Kétchup 250 g', '132', 1150),
    (28, 'MOS', 'Mostaza 250 g', '132', 980), (29, 'VIN', 'Vinagre de alcohol 1 l', '132', 760),
    (30, 'TOM', 'Puré de tomate 520 g', '132', 690), (31, 'DDL', 'Dulce de leche 400 g', '141', 1990),
    (32, 'MED', 'Mermelada de durazno 454 g', '141', 1480), (33, 'MFR', 'Mermelada de frutilla 454 g', '141', 1560),
    (34, 'DBA', 'Dulce de batata 500 g', '141', 1320), (35, 'DME', 'Dulce de membrillo 500 g', '141', 1290),
    (36, 'ATU', 'Atún al natural 170 g', '142', 2190), (37, 'ARV', 'Arvejas en lata 350 g', '142', 650),
    (38, 'CHO', 'Choclo cremoso 350 g', '142', 790), (39, 'DUR', 'Duraznos en almíbar 820 g', '142', 2450),
    (40, 'GAA', 'Galletitas de agua 300 g', '151', 990), (41, 'GAD', 'Galletitas dulces surtidas 400 g', '151', 1490),
    (42, 'GAC', 'Galletitas de chocolate 160 g', '151', 890), (43, 'TOS', 'Tostadas de arroz 150 g', '151', 1150),
    (44, 'ALF', 'Alfajor de maicena', '152', 650), (45, 'ALC', 'Alfajor triple de chocolate', '152', 980),
    (46, 'CAR', 'Caramelos masticables 800 g', '152', 3200), (47, 'CHT', 'Chocolate con leche 100 g', '152', 1950),
    (48, 'CHI', 'Chicles de menta x 20', '152', 1480), (49, 'TUR', 'Turrón de maní', '152', 390),
    (50, 'GCO', 'Gaseosa cola 2,25 l', '211', 2350), (51, 'GLI', 'Gaseosa lima limón 2,25 l', '211', 2190),
    (52, 'GNA', 'Gaseosa naranja 2,25 l', '211', 2190), (53, 'GTO', 'Agua tónica 1,5 l', '211', 1890),
    (54, 'AMI', 'Agua mineral sin gas 2 l', '212', 990), (55, 'ACG', 'Agua mineral con gas 1,5 l', '212', 1050),
    (56, 'SOD', 'Soda en sifón 2 l', '212', 850), (57, 'JNA', 'Jugo de naranja 1 l', '213', 1650),
    (58, 'JMA', 'Jugo de manzana 1 l', '213', 1590), (59, 'JPO', 'Jugo en polvo x 20 sobres', '213', 2900),
    (60, 'VMA', 'Vino tinto malbec 750 ml', '221', 5400), (61, 'VCA', 'Vino tinto cabernet 750 ml', '221', 5100),
    (62, 'VTO', 'Vino blanco torrontés 750 ml', '221', 4800), (63, 'VBO', 'Vino de mesa en damajuana 5 l', '221', 7200),
    (64, 'CRU', 'Cerveza rubia 1 l', '222', 2100), (65, 'CNE', 'Cerveza negra 473 ml', '222', 1590),
    (66, 'CLA', 'Cerveza en lata 473 ml', '222', 1350), (67, 'FER', 'Fernet 750 ml', '223', 11900),
    (68, 'APE', 'Aperitivo amargo 1 l', '223', 6200), (69, 'SID', 'Sidra 720 ml', '223', 2700),
    (70, 'LAV', 'Lavandina 2 l', '311', 1150), (71, 'DES', 'Desinfectante en aerosol 360 ml', '311', 3300),
    (72, 'LIP', 'Limpiador de pisos 900 ml', '311', 1490), (73, 'DET', 'Detergente 750 ml', '312', 1790),
    (74, 'JPR', 'Jabón en polvo 800 g', '312', 3650), (75, 'JLI', 'Jabón líquido para ropa 3 l', '312', 8900),
    (76, 'SUA', 'Suavizante 900 ml', '312', 1990), (77, 'JTO', 'Jabón de tocador x 3', '321', 2150),
    (78, 'JBL', 'Jabón blanco en pan 200 g', '321', 690), (79, 'CHA', 'Champú 400 ml', '322', 3950),
    (80, 'ACO', 'Acondicionador 400 ml', '322', 3950), (81, 'TAU', 'Tornillo autorroscante 8 x 1"', '411', 45),
    (82, 'TMA', 'Tornillo para madera 6 x 3/4"', '411', 30), (83, 'TDR', 'Tornillo para durlock 6 x 1"', '411', 25),
    (84, 'TUE', 'Tuerca hexagonal 3/8"', '412', 60), (85, 'ARA', 'Arandela plana 3/8"', '412', 20),
    (86, 'ARG', 'Arandela grower 1/4"', '412', 18), (87, 'CPP', 'Clavo punta París 2" x kg', '413', 3900),
    (88, 'CTE', 'Clavo para techo x kg', '413', 5200), (89, 'PLA', 'Pintura látex interior 4 l', '421', 24500),
    (90, 'PLE', 'Pintura látex exterior 4 l', '421', 31900), (91, 'ESM', 'Esmalte sintético 1 l', '421', 12800),
    (92, 'PIN', 'Pincel número 20', '422', 2900), (93, 'ROD', 'Rodillo de lana 22 cm', '422', 7400),
    (94, 'CAB', 'Cable unipolar 2,5 mm x 100 m', '431', 52000), (95, 'CIN', 'Cinta aisladora 20 m', '431', 1200),
    (96, 'TOC', 'Tomacorriente doble', '431', 3100), (97, 'LLE', 'Lámpara led 9 W', '432', 1350),
    (98, 'LLT', 'Lámpara led tubo 18 W', '432', 4900), (99, 'ZAP', 'Zapatilla eléctrica 5 tomas', '432', 9800)

CREATE TABLE MARCAS (K int NOT NULL PRIMARY KEY, CODIGO varchar(2) NOT NULL, NOMBRE varchar(20) NOT NULL, FACTOR float NOT NULL)
INSERT INTO MARCAS (K, CODIGO, NOMBRE, FACTOR) VALUES
    (0, 'DA', 'Don Anselmo', 1.00), (1, 'LP', 'La Paloma', 0.94), (2, 'EC', 'El Ceibo', 1.07),
    (3, 'SR', 'Santa Rita', 0.98), (4, 'LA', 'Los Andes', 1.12), (5, 'RC', 'Río Colorado', 0.91),
    (6, 'ST', 'San Telmo', 1.03), (7, 'PA', 'La Pampeana', 0.96), (8, 'TA', 'Tres Arroyos', 1.09),
    (9, 'EH', 'El Hornero', 0.89)

CREATE TABLE PRESENTACIONES (K int NOT NULL PRIMARY KEY, CODIGO varchar(2) NOT NULL, NOMBRE varchar(20) NOT NULL, UNIDADES int NOT NULL, DESCUENTO float NOT NULL)
INSERT INTO PRESENTACIONES (K, CODIGO, NOMBRE, UNIDADES, DESCUENTO) VALUES
    (0, '01', 'x unidad', 1, 1.00), (1, '06', 'pack x 6', 6, 0.97), (2, '12', 'pack x 12', 12, 0.95),
    (3, '24', 'bulto x 24', 24, 0.92), (4, '48', 'caja x 48', 48, 0.90)

CREATE TABLE dbo.MA_ARTICULOS (
    idarticulo int IDENTITY(1,1) NOT NULL,
    Codigo varchar(15) NOT NULL,
    Descripcion varchar(80) NOT NULL,
    IDFAMILIA varchar(10) NOT NULL,
    PRECIO1 money NULL, PRECIO2 money NULL, PRECIO3 money NULL, PRECIO4 money NULL,
    PRECIO5 money NULL, PRECIO6 money NULL, PRECIO7 money NULL, PRECIO8 money NULL,
    PUNTOPEDIDO decimal(12, 2) NOT NULL DEFAULT 0,
    Stock decimal(12, 2) NOT NULL DEFAULT 0,
    SUSPENDIDO bit NOT NULL DEFAULT 0,
    CONSTRAINT PK_MA_ARTICULOS PRIMARY KEY CLUSTERED (idarticulo)
)
CREATE UNIQUE INDEX IX_MA_ARTICULOS_CODIGO ON MA_ARTICULOS (Codigo)

INSERT INTO MA_ARTICULOS (Codigo, Descripcion, IDFAMILIA, PRECIO1, PRECIO2, PRECIO3, PRECIO4,
                          PRECIO5, PRECIO6, PRECIO7, PRECIO8, PUNTOPEDIDO, Stock, SUSPENDIDO)
SELECT p.CODIGO + '-' + m.CODIGO + pr.CODIGO,
       p.DESCRIPCION + ' ' + m.NOMBRE + ' ' + pr.NOMBRE,
       p.IDFAMILIA,
       ROUND(p.PRECIO * m.FACTOR * pr.UNIDADES * pr.DESCUENTO, 2),
       ROUND(p.PRECIO * m.FACTOR * pr.UNIDADES * pr.DESCUENTO * 0.88, 2),
       ROUND(p.PRECIO * m.FACTOR * pr.UNIDADES * pr.DESCUENTO * 0.82, 2),
       ROUND(p.PRECIO * m.FACTOR * pr.UNIDADES * pr.DESCUENTO * 0.95, 2),
       ROUND(p.PRECIO * m.FACTOR * pr.UNIDADES * pr.DESCUENTO * 1.06, 2),
       ROUND(p.PRECIO * m.FACTOR * pr.UNIDADES * pr.DESCUENTO * 1.12, 2),
       ROUND(p.PRECIO * m.FACTOR * pr.UNIDADES * pr.DESCUENTO * 0.78, 2),
       ROUND(p.PRECIO * m.FACTOR * pr.UNIDADES * pr.DESCUENTO * 0.64, 2),
       -- Cuatro situaciones de stock, para ver los cuatro colores.
       CASE (p.K * 7 + m.K * 3 + pr.K) % 4
           WHEN 0 THEN 0
           ELSE 10 * (1 + (p.K + m.K) % 5)
       END,
       CASE (p.K * 7 + m.K * 3 + pr.K) % 4
           WHEN 0 THEN (p.K * 13 + m.K * 5 + pr.K) % 90 + 1
           WHEN 1 THEN 10 * (1 + (p.K + m.K) % 5) + (p.K * 11 + pr.K) % 60 + 1
           WHEN 2 THEN (p.K * 3 + m.K + pr.K) % (10 * (1 + (p.K + m.K) % 5))
           ELSE 10 * (1 + (p.K + m.K) % 5)
       END,
       CASE WHEN (p.K * 31 + m.K * 17 + pr.K * 7) % 61 = 0 THEN 1 ELSE 0 END
FROM PRODUCTOS p CROSS JOIN MARCAS m CROSS JOIN PRESENTACIONES pr
ORDER BY p.K, m.K, pr.K

-- El archivo de artículos como lo ven las consultas: activos, todos y con stock.
CREATE VIEW VT_MA_ARTICULOS AS
SELECT a.Codigo, a.Descripcion, a.idarticulo, a.PRECIO1, a.PRECIO2, a.PRECIO3, a.PRECIO4,
       a.PRECIO5, a.PRECIO6, a.PRECIO7, a.PRECIO8, a.PUNTOPEDIDO, a.Stock, a.SUSPENDIDO,
       a.IDFAMILIA, f.DESCRIPCION AS FAMILIA
FROM MA_ARTICULOS a WITH (NOLOCK)
INNER JOIN TA_FAMILIAS f ON f.IDFAMILIA = a.IDFAMILIA

CREATE VIEW V_MA_ARTICULOS AS
SELECT Codigo, Descripcion, idarticulo, PRECIO1, PRECIO2, PRECIO3, PRECIO4, PRECIO5, PRECIO6,
       PRECIO7, PRECIO8, PUNTOPEDIDO, Stock, SUSPENDIDO
FROM VT_MA_ARTICULOS

CREATE VIEW STK_MA_ARTICULOS AS
SELECT Codigo, Descripcion, idarticulo, PRECIO1, PUNTOPEDIDO, Stock, SUSPENDIDO
FROM VT_MA_ARTICULOS
WHERE Stock > 0

-- Faltantes de stock que informan las consultas (F12).
CREATE TABLE V_MV_FALTANTES (
    FechaHora varchar(30) NOT NULL,
    IdArticulo varchar(25) NULL,
    Descripcion varchar(80) NULL,
    Usuario varchar(30) NULL
)

-- ---------------------------------------------------------------- posiciones de depósito
-- Depósito (2 dígitos), pasillo (4) y estante (6).
CREATE TABLE MA_POSICIONES (
    IDPOSICION varchar(10) NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(60) NOT NULL
)
INSERT INTO MA_POSICIONES (IDPOSICION, DESCRIPCION) VALUES
    ('01', 'Depósito central - Barrio Alta Córdoba'),
    ('02', 'Depósito Ruta 9 - Malagueño'),
    ('03', 'Sucursal Villa María')
INSERT INTO MA_POSICIONES (IDPOSICION, DESCRIPCION)
SELECT d.IDPOSICION + '0' + CAST(p.D AS varchar(1)), 'Pasillo ' + CAST(p.D AS varchar(1))
FROM MA_POSICIONES d CROSS JOIN DIGITOS p
WHERE LEN(d.IDPOSICION) = 2 AND p.D BETWEEN 1 AND 6
INSERT INTO MA_POSICIONES (IDPOSICION, DESCRIPCION)
SELECT a.IDPOSICION + '0' + CAST(e.D AS varchar(1)),
       'Estante ' + SUBSTRING('ABCDEFGH', e.D, 1) + ' del ' + LOWER(a.DESCRIPCION)
FROM MA_POSICIONES a CROSS JOIN DIGITOS e
WHERE LEN(a.IDPOSICION) = 4 AND e.D BETWEEN 1 AND 8

-- ---------------------------------------------------------------- centros de costo
CREATE TABLE TA_CCOSTO (
    CODIGO varchar(10) NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(60) NOT NULL
)
INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES
    ('1', 'Administración'), ('11', 'Contaduría'), ('111', 'Cuentas a pagar'),
    ('112', 'Cuentas a cobrar'), ('113', 'Impuestos'), ('12', 'Recursos humanos'),
    ('121', 'Liquidación de sueldos'), ('13', 'Sistemas'),
    ('2', 'Comercial'), ('21', 'Ventas mayoristas'), ('211', 'Zona Capital'),
    ('212', 'Zona Norte'), ('213', 'Zona Sur'), ('22', 'Ventas minoristas'),
    ('221', 'Salón Alta Córdoba'), ('222', 'Salón Villa María'), ('23', 'Marketing'),
    ('3', 'Logística'), ('31', 'Depósitos'), ('311', 'Depósito central'),
    ('312', 'Depósito Ruta 9'), ('32', 'Distribución'), ('321', 'Flota propia'),
    ('322', 'Fletes contratados'),
    ('4', 'Dirección'), ('41', 'Gerencia general'), ('42', 'Auditoría interna')

-- ---------------------------------------------------------------- depósitos y cajas
CREATE TABLE TA_DEPOSITO (IDDEPOSITO int NOT NULL PRIMARY KEY, DESCRIPCION varchar(60) NOT NULL, LOCALIDAD varchar(40) NULL)
INSERT INTO TA_DEPOSITO (IDDEPOSITO, DESCRIPCION, LOCALIDAD) VALUES
    (1, 'Depósito central', 'Córdoba'), (2, 'Depósito Ruta 9', 'Malagueño'),
    (3, 'Sucursal Villa María', 'Villa María'), (4, 'Mercadería en tránsito', NULL),
    (5, 'Devoluciones y roturas', 'Córdoba')
CREATE VIEW V_TA_DEPOSITO AS SELECT IDDEPOSITO, DESCRIPCION, LOCALIDAD FROM TA_DEPOSITO

CREATE TABLE TA_CAJAS (IDCAJA int NOT NULL PRIMARY KEY, DESCRIPCION varchar(60) NOT NULL, CUENTA varchar(20) NOT NULL)
INSERT INTO TA_CAJAS (IDCAJA, DESCRIPCION, CUENTA) VALUES
    (1, 'Caja mostrador Alta Córdoba', '1110101'), (2, 'Caja mostrador Villa María', '1110102'),
    (3, 'Caja chica administración', '1110103'), (4, 'Caja de cobranzas', '1110104')
CREATE VIEW V_TA_CAJAS AS SELECT IDCAJA, DESCRIPCION, CUENTA FROM TA_CAJAS

-- ---------------------------------------------------------------- plan de cuentas
CREATE TABLE MA_CUENTAS (
    Codigo varchar(20) NOT NULL PRIMARY KEY,
    Nombre varchar(60) NOT NULL,
    Imputable bit NOT NULL DEFAULT 0
)
INSERT INTO MA_CUENTAS (Codigo, Nombre, Imputable) VALUES
    ('1', 'ACTIVO', 0), ('11', 'Activo corriente', 0), ('111', 'Caja y bancos', 0),
    ('11101', 'Cajas', 0), ('1110101', 'Caja mostrador Alta Córdoba', 1),
    ('1110102', 'Caja mostrador Villa María', 1), ('1110103', 'Caja chica', 1),
    ('1110104', 'Caja de cobranzas', 1), ('11102', 'Bancos', 0),
    ('1110201', 'Banco de la Nación Argentina cta. cte.', 1),
    ('1110202', 'Banco de Córdoba cta. cte.', 1), ('1110203', 'Valores a depositar', 1),
    ('1110204', 'Cheques en cartera', 1), ('112', 'Créditos por ventas', 0),
    ('11201', 'Deudores por ventas', 1), ('11202', 'Documentos a cobrar', 1),
    ('11203', 'Previsión para deudores incobrables', 1), ('113', 'Otros créditos', 0),
    ('11301', 'IVA crédito fiscal', 1), ('11302', 'Anticipos a proveedores', 1),
    ('11303', 'Retenciones de ingresos brutos sufridas', 1), ('114', 'Bienes de cambio', 0),
    ('11401', 'Mercaderías de reventa', 1), ('11402', 'Mercaderías en tránsito', 1),
    ('12', 'Activo no corriente', 0), ('121', 'Bienes de uso', 0),
    ('12101', 'Rodados', 1), ('12102', 'Muebles y útiles', 1), ('12103', 'Instalaciones', 1),
    ('12104', 'Amortizaciones acumuladas', 1),
    ('2', 'PASIVO', 0), ('21', 'Pasivo corriente', 0), ('211', 'Deudas comerciales', 0),
    ('21101', 'Proveedores', 1), ('21102', 'Documentos a pagar', 1),
    ('212', 'Deudas fiscales', 0), ('21201', 'IVA débito fiscal', 1),
    ('21202', 'Ingresos brutos a pagar', 1), ('21203', 'Ganancias a pagar', 1),
    ('213', 'Deudas sociales', 0), ('21301', 'Sueldos a pagar', 1),
    ('21302', 'Cargas sociales a pagar', 1),
    ('3', 'PATRIMONIO NETO', 0), ('31', 'Capital social', 1), ('32', 'Reserva legal', 1),
    ('33', 'Resultados no asignados', 1),
    ('4', 'RESULTADOS POSITIVOS', 0), ('41', 'Ventas de mercaderías', 1),
    ('42', 'Descuentos obtenidos', 1), ('43', 'Intereses ganados', 1),
    ('5', 'RESULTADOS NEGATIVOS', 0), ('51', 'Costo de mercaderías vendidas', 1),
    ('52', 'Sueldos y jornales', 1), ('53', 'Cargas sociales', 1), ('54', 'Fletes y acarreos', 1),
    ('55', 'Alquileres', 1), ('56', 'Energía eléctrica', 1), ('57', 'Impuestos y tasas', 1),
    ('58', 'Gastos bancarios', 1), ('59', 'Descuentos otorgados', 1)

-- Cuentas imputables numeradas desde 1, para repartir los asientos entre ellas.
CREATE TABLE CUENTAS_IMPUTABLES (K int IDENTITY(1, 1) PRIMARY KEY, Codigo varchar(20) NOT NULL)
INSERT INTO CUENTAS_IMPUTABLES (Codigo) SELECT Codigo FROM MA_CUENTAS WHERE Imputable = 1 ORDER BY Codigo

CREATE TABLE CCOSTO_NUMERADOS (K int IDENTITY(1, 1) PRIMARY KEY, CODIGO varchar(10) NOT NULL)
INSERT INTO CCOSTO_NUMERADOS (CODIGO) SELECT CODIGO FROM TA_CCOSTO WHERE LEN(CODIGO) = 3 ORDER BY CODIGO

-- Cuentas del libro diario y su apertura por centro de costo.
CREATE TABLE AC_CUENTASDIARIO (Codigo varchar(20) NOT NULL PRIMARY KEY, Nombre varchar(60) NOT NULL)
INSERT INTO AC_CUENTASDIARIO (Codigo, Nombre) SELECT Codigo, Nombre FROM MA_CUENTAS WHERE Imputable = 1

CREATE TABLE AC_CUENTASDIARIO_CCOSTO (
    Codigo varchar(20) NOT NULL,
    CCOSTO varchar(10) NOT NULL,
    PORCENTAJE decimal(5, 2) NOT NULL,
    CONSTRAINT PK_AC_CUENTASDIARIO_CCOSTO PRIMARY KEY (Codigo, CCOSTO)
)
INSERT INTO AC_CUENTASDIARIO_CCOSTO (Codigo, CCOSTO, PORCENTAJE)
SELECT c.Codigo, cc.CODIGO, 50
FROM AC_CUENTASDIARIO c CROSS JOIN TA_CCOSTO cc
WHERE c.Codigo LIKE '5%' AND cc.CODIGO IN ('11', '21')

-- ---------------------------------------------------------------- asientos contables
-- Cincuenta mil asientos de dos renglones a lo largo del año: cien mil filas.
CREATE TABLE dbo.MV_ASIENTOS (
    IDRENGLON int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    NUMERO int NOT NULL,
    FECHA datetime NOT NULL,
    CUENTA varchar(20) NOT NULL,
    CCOSTO varchar(10) NULL,
    DEBE money NOT NULL DEFAULT 0,
    HABER money NOT NULL DEFAULT 0,
    DETALLE varchar(80) NULL
)
INSERT INTO MV_ASIENTOS (NUMERO, FECHA, CUENTA, CCOSTO, DEBE, HABER, DETALLE)
SELECT n.N + 1, c.DESDE + n.N % 360, d.Codigo, cc.CODIGO,
       CASE WHEN r.D = 0 THEN ROUND(((n.N * 7919) % 100000) * 1.37 + 100, 2) ELSE 0 END,
       CASE WHEN r.D = 1 THEN ROUND(((n.N * 7919) % 100000) * 1.37 + 100, 2) ELSE 0 END,
       'Asiento ' + CAST(n.N + 1 AS varchar(10)) + ' - ' + d.Codigo
FROM NUMEROS n
CROSS JOIN CALENDARIO c
INNER JOIN DIGITOS r ON r.D < 2
INNER JOIN CUENTAS_IMPUTABLES d ON d.K = (n.N * 3 + r.D * 17) % (SELECT COUNT(*) FROM CUENTAS_IMPUTABLES) + 1
INNER JOIN CCOSTO_NUMERADOS cc ON cc.K = n.N % (SELECT COUNT(*) FROM CCOSTO_NUMERADOS) + 1
WHERE n.N < 50000
ORDER BY n.N, r.D

-- ---------------------------------------------------------------- clientes y proveedores
-- El sexo decide el prefijo de la CUIT de las personas.
CREATE TABLE NOMBRES (K int NOT NULL PRIMARY KEY, NOMBRE varchar(20) NOT NULL, SEXO char(1) NOT NULL)
INSERT INTO NOMBRES (K, NOMBRE, SEXO) VALUES
    (0, 'Agustín', 'M'), (1, 'Sofía', 'F'), (2, 'Joaquín', 'M'), (3, 'Valentina', 'F'),
    (4, 'Tomás', 'M'), (5, 'Lucía', 'F'), (6, 'Nicolás', 'M'), (7, 'Martina', 'F'),
    (8, 'Benjamín', 'M'), (9, 'Camila', 'F'), (10, 'Matías', 'M'), (11, 'Julieta', 'F'),
    (12, 'Santiago', 'M'), (13, 'Florencia', 'F'), (14, 'Facundo', 'M'), (15, 'María José', 'F'),
    (16, 'Ignacio', 'M'), (17, 'Milagros', 'F'), (18, 'Gonzalo', 'M'), (19, 'Agustina', 'F'),
    (20, 'Ramón', 'M'), (21, 'Nélida', 'F'), (22, 'Héctor', 'M'), (23, 'Mónica', 'F'),
    (24, 'Sebastián', 'M'), (25, 'Verónica', 'F'), (26, 'Germán', 'M'), (27, 'Inés', 'F'),
    (28, 'Julián', 'M'), (29, 'Belén', 'F'), (30, 'Andrés', 'M'), (31, 'Ángela', 'F'),
    (32, 'Raúl', 'M'), (33, 'Noemí', 'F'), (34, 'Iñaki', 'M'), (35, 'Zoe', 'F'), (36, 'Darío', 'M'),
    (37, 'Soledad', 'F'), (38, 'Rubén', 'M'), (39, 'Ximena', 'F')

CREATE TABLE APELLIDOS (K int NOT NULL PRIMARY KEY, APELLIDO varchar(20) NOT NULL)
INSERT INTO APELLIDOS (K, APELLIDO) VALUES
    (0, 'González'), (1, 'Rodríguez'), (2, 'Fernández'), (3, 'López'), (4, 'Martínez'),
    (5, 'Pérez'), (6, 'Gómez'), (7, 'Sánchez'), (8, 'Romero'), (9, 'Sosa'), (10, 'Álvarez'),
    (11, 'Torres'), (12, 'Ruiz'), (13, 'Ramírez'), (14, 'Flores'), (15, 'Acosta'),
    (16, 'Benítez'), (17, 'Medina'), (18, 'Herrera'), (19, 'Suárez'), (20, 'Aguirre'),
    (21, 'Giménez'), (22, 'Gutiérrez'), (23, 'Pereyra'), (24, 'Rojas'), (25, 'Molina'),
    (26, 'Castro'), (27, 'Ortiz'), (28, 'Silva'), (29, 'Núñez'), (30, 'Luna'), (31, 'Juárez'),
    (32, 'Cabrera'), (33, 'Ríos'), (34, 'Ferreyra'), (35, 'Godoy'), (36, 'Morales'),
    (37, 'Domínguez'), (38, 'Moreno'), (39, 'Peralta'), (40, 'Vega'), (41, 'Carrizo'),
    (42, 'Quiroga'), (43, 'Castillo'), (44, 'Ledesma'), (45, 'Muñoz'), (46, 'Ojeda'),
    (47, 'Ponce'), (48, 'Vera'), (49, 'Vázquez'), (50, 'Villalba'), (51, 'Cardozo'),
    (52, 'Navarro'), (53, 'Ramos'), (54, 'Arias'), (55, 'Coronel'), (56, 'Córdoba'),
    (57, 'Figueroa'), (58, 'Correa'), (59, 'Cáceres'), (60, 'Vargas'), (61, 'Maldonado'),
    (62, 'Mansilla'), (63, 'Farías'), (64, 'Rivero'), (65, 'Paz'), (66, 'Miranda'),
    (67, 'Roldán'), (68, 'Méndez'), (69, 'Lucero'), (70, 'Peña'), (71, 'Ibáñez'),
    (72, 'Agüero'), (73, 'Páez'), (74, 'O''Brien'), (75, 'D''Alessandro'), (76, 'Ávila'),
    (77, 'Acuña'), (78, 'Chávez'), (79, 'Bustos')

CREATE TABLE LOCALIDADES (K int NOT NULL PRIMARY KEY, LOCALIDAD varchar(40) NOT NULL, PROVINCIA varchar(30) NOT NULL)
INSERT INTO LOCALIDADES (K, LOCALIDAD, PROVINCIA) VALUES
    (0, 'Córdoba', 'Córdoba'), (1, 'Villa María', 'Córdoba'), (2, 'Río Cuarto', 'Córdoba'),
    (3, 'San Francisco', 'Córdoba'), (4, 'Villa Carlos Paz', 'Córdoba'), (5, 'Alta Gracia', 'Córdoba'),
    (6, 'Rosario', 'Santa Fe'), (7, 'Santa Fe', 'Santa Fe'), (8, 'Rafaela', 'Santa Fe'),
    (9, 'Venado Tuerto', 'Santa Fe'), (10, 'Ciudad de Buenos Aires', 'CABA'),
    (11, 'La Plata', 'Buenos Aires'), (12, 'Mar del Plata', 'Buenos Aires'),
    (13, 'Bahía Blanca', 'Buenos Aires'), (14, 'Tandil', 'Buenos Aires'),
    (15, 'Mendoza', 'Mendoza'), (16, 'San Rafael', 'Mendoza'), (17, 'San Juan', 'San Juan'),
    (18, 'San Luis', 'San Luis'), (19, 'San Miguel de Tucumán', 'Tucumán'), (20, 'Salta', 'Salta'),
    (21, 'San Salvador de Jujuy', 'Jujuy'), (22, 'Santiago del Estero', 'Santiago del Estero'),
    (23, 'Neuquén', 'Neuquén'), (24, 'Paraná', 'Entre Ríos'), (25, 'Concordia', 'Entre Ríos'),
    (26, 'Posadas', 'Misiones'), (27, 'Resistencia', 'Chaco'), (28, 'Corrientes', 'Corrientes'),
    (29, 'Ushuaia', 'Tierra del Fuego')

CREATE TABLE RUBROS (K int NOT NULL PRIMARY KEY, RUBRO varchar(30) NOT NULL)
INSERT INTO RUBROS (K, RUBRO) VALUES
    (0, 'Distribuidora'), (1, 'Ferretería'), (2, 'Mayorista'), (3, 'Molino'), (4, 'Papelera'),
    (5, 'Cooperativa'), (6, 'Transportes'), (7, 'Lácteos'), (8, 'Bodega'), (9, 'Frigorífico')

CREATE TABLE SOCIEDADES (K int NOT NULL PRIMARY KEY, SUFIJO varchar(20) NOT NULL)
INSERT INTO SOCIEDADES (K, SUFIJO) VALUES (0, ' S.A.'), (1, ' S.R.L.'), (2, ' e Hijos'), (3, ' Hnos.'), (4, ' S.A.S.')

CREATE TABLE MA_CLIENTES (
    IDCLIENTE int IDENTITY(1,1) PRIMARY KEY,
    CODIGO varchar(10) NOT NULL UNIQUE,
    NOMBRE varchar(80) NOT NULL,
    CUIT varchar(13) NULL,
    LOCALIDAD varchar(40) NULL,
    PROVINCIA varchar(30) NULL,
    Dada_De_Baja bit NOT NULL DEFAULT 0
)
INSERT INTO MA_CLIENTES (CODIGO, NOMBRE, CUIT, LOCALIDAD, PROVINCIA, Dada_De_Baja)
SELECT 'C' + RIGHT('0000' + CAST(n.N + 1 AS varchar(5)), 5),
       CASE WHEN n.N % 5 = 4
            THEN r.RUBRO + ' ' + a.APELLIDO + s.SUFIJO
            ELSE a.APELLIDO + ', ' + nm.NOMBRE
       END,
       -- Prefijo y documento; el dígito verificador se agrega abajo.
       CASE WHEN n.N % 5 = 4
            THEN '30-' + CAST((n.N * 7919 + 1234567) % 22000000 + 50000000 AS varchar(8))
            ELSE CASE nm.SEXO WHEN 'F' THEN '27-' ELSE '20-' END
                 + CAST((n.N * 7919 + 1234567) % 36000000 + 10000000 AS varchar(8))
       END,
       l.LOCALIDAD, l.PROVINCIA,
       CASE WHEN n.N % 37 = 36 THEN 1 ELSE 0 END
FROM NUMEROS n
INNER JOIN APELLIDOS a ON a.K = (n.N * 13) % 80
INNER JOIN NOMBRES nm ON nm.K = (n.N * 7) % 40
INNER JOIN LOCALIDADES l ON l.K = (n.N * 11) % 30
INNER JOIN RUBROS r ON r.K = n.N % 10
INNER JOIN SOCIEDADES s ON s.K = (n.N / 10) % 5
WHERE n.N < 2000
ORDER BY n.N

CREATE TABLE MA_PROVEEDORES (
    IDPROVEEDOR int IDENTITY(1,1) PRIMARY KEY,
    CODIGO varchar(10) NOT NULL UNIQUE,
    NOMBRE varchar(80) NOT NULL,
    CUIT varchar(13) NULL,
    LOCALIDAD varchar(40) NULL,
    PROVINCIA varchar(30) NULL,
    Dada_De_Baja bit NOT NULL DEFAULT 0
)
INSERT INTO MA_PROVEEDORES (CODIGO, NOMBRE, CUIT, LOCALIDAD, PROVINCIA, Dada_De_Baja)
SELECT 'P' + RIGHT('0000' + CAST(n.N + 1 AS varchar(5)), 5),
       CASE WHEN n.N % 4 = 3
            THEN a.APELLIDO + ' ' + a2.APELLIDO + s.SUFIJO
            ELSE r.RUBRO + ' ' + a.APELLIDO + s.SUFIJO
       END,
       '30-' + CAST((n.N * 6151 + 7654321) % 22000000 + 50000000 AS varchar(8)),
       l.LOCALIDAD, l.PROVINCIA,
       CASE WHEN n.N % 29 = 28 THEN 1 ELSE 0 END
FROM NUMEROS n
INNER JOIN APELLIDOS a ON a.K = (n.N * 17) % 80
INNER JOIN APELLIDOS a2 ON a2.K = (n.N * 29 + 3) % 80
INNER JOIN LOCALIDADES l ON l.K = (n.N * 7) % 30
INNER JOIN RUBROS r ON r.K = (n.N * 3) % 10
INNER JOIN SOCIEDADES s ON s.K = n.N % 5
WHERE n.N < 2000
ORDER BY n.N

-- El dígito verificador de la CUIT: 11 menos la suma de sus diez primeras cifras por 5, 4, 3, 2,
-- 7, 6, 5, 4, 3 y 2, módulo 11 (11 da 0). Cuando da 10 la CUIT toma el prefijo 23 con el dígito 9
-- (varones) o 4 (mujeres), y las sociedades el 33 con el 9.
CREATE TABLE PESOS_CUIT (POSICION int NOT NULL PRIMARY KEY, PESO int NOT NULL)
INSERT INTO PESOS_CUIT (POSICION, PESO) VALUES
    (1, 5), (2, 4), (4, 3), (5, 2), (6, 7), (7, 6), (8, 5), (9, 4), (10, 3), (11, 2)

CREATE TABLE CUITS (CODIGO varchar(10) NOT NULL PRIMARY KEY, CUIT varchar(13) NOT NULL)
INSERT INTO CUITS (CODIGO, CUIT)
SELECT s.CODIGO,
       CASE WHEN s.DIGITO < 10 THEN s.BASE + '-' + CAST(s.DIGITO AS varchar(1))
            WHEN LEFT(s.BASE, 2) = '30' THEN '33' + SUBSTRING(s.BASE, 3, 9) + '-9'
            WHEN LEFT(s.BASE, 2) = '27' THEN '23' + SUBSTRING(s.BASE, 3, 9) + '-4'
            ELSE '23' + SUBSTRING(s.BASE, 3, 9) + '-9'
       END
FROM (SELECT t.CODIGO, t.CUIT AS BASE,
             (11 - SUM(CAST(SUBSTRING(t.CUIT, p.POSICION, 1) AS int) * p.PESO) % 11) % 11 AS DIGITO
      FROM (SELECT CODIGO, CUIT FROM MA_CLIENTES
            UNION ALL
            SELECT CODIGO, CUIT FROM MA_PROVEEDORES) t
      CROSS JOIN PESOS_CUIT p
      GROUP BY t.CODIGO, t.CUIT) s

UPDATE MA_CLIENTES SET CUIT = (SELECT c.CUIT FROM CUITS c WHERE c.CODIGO = MA_CLIENTES.CODIGO)
UPDATE MA_PROVEEDORES SET CUIT = (SELECT c.CUIT FROM CUITS c WHERE c.CODIGO = MA_PROVEEDORES.CODIGO)

CREATE VIEW VT_CLIENTES AS
SELECT CODIGO, NOMBRE, CUIT, LOCALIDAD, PROVINCIA, Dada_De_Baja FROM MA_CLIENTES
CREATE VIEW VT_PROVEEDORES AS
SELECT CODIGO, NOMBRE, CUIT, LOCALIDAD, PROVINCIA, Dada_De_Baja FROM MA_PROVEEDORES

-- ---------------------------------------------------------------- sinónimos
-- Los usuarios que no administran leen estas siete a través de sus sinónimos SS_.
CREATE VIEW SS_MA_CUENTAS AS SELECT Codigo, Nombre, Imputable FROM MA_CUENTAS
CREATE VIEW SS_V_TA_DEPOSITO AS SELECT IDDEPOSITO, DESCRIPCION, LOCALIDAD FROM V_TA_DEPOSITO
CREATE VIEW SS_MV_ASIENTOS AS
SELECT IDRENGLON, NUMERO, FECHA, CUENTA, CCOSTO, DEBE, HABER, DETALLE FROM MV_ASIENTOS
CREATE VIEW SS_V_TA_FAMILIAS AS SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS
CREATE VIEW SS_V_TA_CAJAS AS SELECT IDCAJA, DESCRIPCION, CUENTA FROM V_TA_CAJAS
CREATE VIEW SS_AC_CUENTASDIARIO AS SELECT Codigo, Nombre FROM AC_CUENTASDIARIO
CREATE VIEW SS_AC_CUENTAS_DIARIO_CCOSTO AS
SELECT Codigo, CCOSTO, PORCENTAJE FROM AC_CUENTASDIARIO_CCOSTO

-- Las tablas que sólo sirvieron para generar filas.
DROP TABLE CUITS
DROP TABLE PESOS_CUIT
DROP TABLE PRESENTACIONES
DROP TABLE MARCAS
DROP TABLE PRODUCTOS
DROP TABLE CUENTAS_IMPUTABLES
DROP TABLE CCOSTO_NUMERADOS
DROP TABLE SOCIEDADES
DROP TABLE RUBROS
DROP TABLE LOCALIDADES
DROP TABLE APELLIDOS
DROP TABLE NOMBRES
DROP TABLE CALENDARIO
DROP TABLE NUMEROS
DROP TABLE DIGITOS

COMMIT TRANSACTION
